// The web page of the Quorvane Lexicon: the Chapter chosen or opened, the options of
// `qorv generate` (also read from and written to the page's address), the names, and the names
// kept in the browser's storage. The names come from the core compiled to WebAssembly
// (lexicon.js); the sample Chapters' bytes from samples.js.
"use strict";

(function () {
  const $ = (id) => document.getElementById(id);
  const form = $("options");
  const KEPT_KEY = "quorvane-lexicon.kept";
  const MAX_U32 = 4294967295;
  // The address's settings, named as `qorv generate`'s options are (without the dashes).
  const SWITCHES = ["structural", "statistical", "prefixes", "suffixes", "auto", "unique", "novel"];
  const TEXTS = ["initial", "starts-with", "ends-with", "contains", "exclude"];
  const NUMBERS = ["level", "validation", "min-length", "max-length", "count", "seed"];

  let lexicon = null; // the WebAssembly module
  let chapter = null; // {id (samples only), title, run}
  let nameLetters = new Set();
  let cp1252 = new Set();

  function show(element, text) {
    element.textContent = text;
    element.hidden = !text;
  }

  // ---- Text as a word list holds it ----

  const utf8 = new TextDecoder("utf-8", { fatal: true });
  const windows1252 = new TextDecoder("windows-1252");

  // The lines of the bytes; LF, CR LF and a lone CR each end one.
  function byteLines(bytes) {
    const lines = [];
    let start = 0;
    for (let i = 0; i <= bytes.length; ++i) {
      if (i === bytes.length || bytes[i] === 10 || bytes[i] === 13) {
        if (i < bytes.length || start < i) lines.push(bytes.subarray(start, i));
        if (bytes[i] === 13 && bytes[i + 1] === 10) ++i;
        start = i + 1;
      }
    }
    return lines;
  }

  const isBlank = (b) => b === 32 || b === 9 || b === 11 || b === 12;

  function trimmedBytes(line) {
    let begin = 0;
    let end = line.length;
    while (begin < end && isBlank(line[begin])) ++begin;
    while (end > begin && isBlank(line[end - 1])) --end;
    return line.subarray(begin, end);
  }

  // A character the Chapter cannot hold as it is, reduced to its base letters (canonical
  // decomposition without the combining marks) when those are letters it can hold.
  function baseLetters(c) {
    const decomposed = c.normalize("NFD");
    const base = decomposed.replace(/\p{M}/gu, "");
    if (base === decomposed || !base) return null;
    return [...base].every((b) => nameLetters.has(b)) ? base : null;
  }

  function foldName(text) {
    let out = "";
    for (const c of text.normalize("NFC")) {
      out += nameLetters.has(c) || c < "\u0080" ? c : baseLetters(c) || c;
    }
    return out;
  }

  // The default title: the file's name without its extension, underscores as spaces, each word
  // capitalised, reduced to Windows-1252 ('?' where it has no form), cut to 64 characters.
  function titleFromFileName(fileName) {
    const stem = fileName.replace(/\.[^.]*$/, "").replace(/_/g, " ");
    const cased = stem.replace(/[\p{L}\p{M}']+/gu, (w) => w[0].toUpperCase() + w.slice(1).toLowerCase());
    let title = "";
    for (const c of cased.normalize("NFC")) {
      if (c < " ") continue;
      title += cp1252.has(c) ? c : baseLetters(c) || "?";
    }
    return [...title].slice(0, 64).join("").trim() || "Word List";
  }

  function today() {
    const d = new Date();
    const two = (n) => String(n).padStart(2, "0");
    return `${d.getFullYear()}-${two(d.getMonth() + 1)}-${two(d.getDate())}`;
  }

  // A word list made into a Chapter as `qorv chapter new` makes it; null (and the message shown)
  // when no Chapter could be made.
  function chapterFromWordList(fileName, bytes) {
    const refused = lexicon.refusedAsText(bytes);
    if (refused) throw new Error(`${fileName} ${refused}`);
    if (bytes[0] === 0xef && bytes[1] === 0xbb && bytes[2] === 0xbf) bytes = bytes.subarray(3);
    const names = [];
    const entries = []; // per name: its line, how it was written, what the page made of it
    const notes = [];
    byteLines(bytes).forEach((raw, at) => {
      const line = trimmedBytes(raw);
      if (!line.length || line[0] === 35 /* # */) return;
      let written;
      try {
        written = utf8.decode(line);
      } catch {
        written = windows1252.decode(line);
        notes.push(`line ${at + 1}: not UTF-8; read as Windows-1252`);
      }
      const name = foldName(written);
      entries.push({ line: at + 1, written, folded: name !== written.normalize("NFC") ? name : null });
      names.push(name);
    });
    const details = {
      title: titleFromFileName(fileName),
      line1: "Made from a word list",
      date: today(),
      options: lexicon.defaultOptions(names.length),
      joinWords: false,
    };
    let error = lexicon.chapterFromNames(names, details);
    if (error.startsWith("title")) {
      details.title = "Word List";
      error = lexicon.chapterFromNames(names, details);
    }
    if (error) throw new Error(`${fileName}: ${error}`);
    const info = lexicon.chapterInfo();
    const told = new Set();
    for (const note of info.notes) {
      const entry = entries[note.index];
      told.add(note.index);
      const text = note.text.replace(/name #(\d+)/, (_, n) => `line ${entries[n - 1].line}`);
      notes.push(note.kind === "rewritten"
        ? `line ${entry.line}: "${entry.written}" ${text}`
        : `line ${entry.line}: "${entry.written}" ${note.kind}: ${text}`);
    }
    entries.forEach((entry, index) => {
      if (entry.folded && !told.has(index)) {
        notes.push(`line ${entry.line}: "${entry.written}" written as "${entry.folded}"`);
      }
    });
    notes.sort((a, b) => parseInt(a.slice(5), 10) - parseInt(b.slice(5), 10));
    return { info, notes, names: names.length };
  }

  // ---- The Chapter ----

  function showChapter(info, notes, summary) {
    const rows = [
      ["Title", info.title], ["Line 1", info.line1], ["Line 2", info.line2], ["Date", info.date],
      ["Seed names", info.names], ["Vowel elements", info.vowels],
      ["Consonant elements", info.consonants], ["Most elements in a name", info.maxElements],
    ];
    const list = $("chapter-info");
    list.replaceChildren();
    for (const [term, value] of rows) {
      if (value === "") continue;
      const dt = document.createElement("dt");
      const dd = document.createElement("dd");
      dt.textContent = term;
      dd.textContent = String(value);
      list.append(dt, dd);
    }
    // A letter asked for by the address stays chosen even when no name can begin with it, so
    // that the run says so in the library's words.
    const initial = form.elements.initial;
    const wanted = initial.dataset.wanted;
    delete initial.dataset.wanted;
    const chosen = wanted || initial.value;
    initial.replaceChildren(new Option("any", ""));
    for (const letter of info.initials) initial.append(new Option(letter, letter));
    if (wanted && !info.initials.includes(wanted)) initial.append(new Option(wanted, wanted));
    initial.value = wanted || info.initials.includes(chosen) ? chosen : "";
    $("notes-box").hidden = !notes;
    if (notes) {
      $("notes-summary").textContent = summary;
      $("notes").replaceChildren(...notes.map((n) => Object.assign(document.createElement("li"), { textContent: n })));
    }
  }

  function loadSample(id) {
    const sample = window.QUORVANE_SAMPLES.find((s) => s.id === id);
    if (!sample) throw new Error(`There is no sample Chapter "${id}"`);
    const error = lexicon.loadChapter(sample.bytes);
    if (error) throw new Error(`${sample.file}: ${error}`);
    const info = lexicon.chapterInfo();
    chapter = { id, title: info.title, run: Date.now() };
    $("chapter").value = id;
    showChapter(info, null);
  }

  function readFile(file) {
    return new Promise((resolve, reject) => {
      const reader = new FileReader();
      reader.onload = () => resolve(new Uint8Array(reader.result));
      reader.onerror = () => reject(new Error(`${file.name} cannot be read: ${reader.error ? reader.error.message : "unknown reason"}`));
      reader.readAsArrayBuffer(file);
    });
  }

  async function openFile(file) {
    show($("file-message"), "");
    try {
      const bytes = await readFile(file);
      let info;
      if (/\.qrv$/i.test(file.name)) {
        const error = lexicon.loadChapter(bytes);
        if (error) throw new Error(`${file.name} does not load as a Chapter: ${error}`);
        info = lexicon.chapterInfo();
        showChapter(info, null);
      } else {
        const made = chapterFromWordList(file.name, bytes);
        info = made.info;
        const summary = `${made.names} lines read, ${info.names} names in the Chapter` +
          (made.notes.length ? `, ${made.notes.length} notes` : "");
        showChapter(info, made.notes.length ? made.notes : null, summary);
        if (made.notes.length) $("notes-box").hidden = false;
      }
      chapter = { id: null, title: info.title, run: Date.now() };
      $("chapter").value = "";
      generate();
    } catch (error) {
      show($("file-message"), error.message);
    }
  }

  // ---- Options, from the form and the address ----

  function whole(name, text, low, high) {
    if (!/^\d+$/.test(text) || Number(text) < low || Number(text) > high) {
      throw new Error(`${name}: a whole number from ${low} to ${high}, not "${text}"`);
    }
    return Number(text);
  }

  function optionsFromForm() {
    const f = form.elements;
    const length = (name) => (f[name].value.trim() === "" ? null : whole(name, f[name].value.trim(), 0, MAX_U32));
    return {
      level: Number(f.level.value),
      validation: Number(f.validation.value),
      structural: f.structural.checked,
      statistical: f.statistical.checked,
      prefixes: f.prefixes.checked,
      suffixes: f.suffixes.checked,
      automatic: f.auto.checked,
      initial: f.initial.value,
      unique: f.unique.checked,
      novel: f.novel.checked,
      minLength: length("min-length"),
      maxLength: length("max-length"),
      startsWith: f["starts-with"].value.trim(),
      endsWith: f["ends-with"].value.trim(),
      contains: f.contains.value.trim(),
      exclude: f.exclude.value.split(",").map((t) => t.trim()).filter(Boolean),
    };
  }

  function settingsFromAddress() {
    const params = new URLSearchParams(location.search);
    const f = form.elements;
    for (const name of SWITCHES) {
      if (params.has(name)) f[name].checked = !["0", "false", "no"].includes(params.get(name));
    }
    for (const name of [...TEXTS, ...NUMBERS]) {
      if (!params.has(name)) continue;
      const values = params.getAll(name);
      const value = name === "exclude" ? values.join(",") : values[values.length - 1];
      if (name === "initial") {
        f.initial.value = value === "*" ? "" : value;
        f.initial.dataset.wanted = value === "*" ? "" : value;
      } else if (f[name].tagName === "SELECT" && ![...f[name].options].some((o) => o.value === value)) {
        throw new Error(`${name}: ${value} is not one of ${[...f[name].options].map((o) => o.value).join(", ")}`);
      } else {
        f[name].value = value;
      }
    }
    return params.get("chapter");
  }

  function settingsToAddress(seed) {
    const f = form.elements;
    const params = new URLSearchParams();
    if (chapter.id) params.set("chapter", chapter.id);
    for (const name of NUMBERS) {
      const value = name === "seed" ? String(seed) : f[name].value.trim();
      if (value === "" || ((name === "level" || name === "validation") && value === "0")) continue;
      params.set(name, value);
    }
    for (const name of SWITCHES) if (f[name].checked) params.set(name, "1");
    for (const name of TEXTS) {
      const value = f[name].value.trim();
      if (name === "exclude") {
        for (const text of value.split(",").map((t) => t.trim()).filter(Boolean)) params.append(name, text);
      } else if (value) {
        params.set(name, value);
      }
    }
    const address = `${location.pathname}?${params}`;
    try {
      history.replaceState(null, "", address);
    } catch {
      // Some browsers refuse to change a file:// address; the run is still shown.
    }
  }

  // ---- Names ----

  const escapeHtml = (text) => text.replace(/[&<>"]/g, (c) => ({ "&": "&amp;", "<": "&lt;", ">": "&gt;", '"': "&quot;" })[c]);

  // The names of the last run, listed a page at a time: a browser lays out a list of a hundred
  // thousand items for many seconds, so the next page is added as the end of the list comes into
  // view (or "Show more" is pressed).
  const PAGE = 1000;
  let listed = { names: [], shown: 0, kept: new Set() };

  function listMore() {
    const page = listed.names.slice(listed.shown, listed.shown + PAGE);
    $("names").insertAdjacentHTML("beforeend", page.map((name) => {
      const e = escapeHtml(name);
      return `<li>${e}<button type="button" class="copy" aria-label="Copy ${e}">Copy</button>` +
        `<button type="button" class="keep" aria-pressed="${listed.kept.has(name)}" aria-label="Keep ${e}">Keep</button></li>`;
    }).join(""));
    listed.shown += page.length;
    const rest = listed.names.length - listed.shown;
    $("more").hidden = rest === 0;
    $("more-info").textContent = rest ? `${listed.shown} of ${listed.names.length} names listed; more follow as you scroll.` : "";
  }

  function generate() {
    show($("message"), "");
    if (!chapter) return;
    try {
      const options = optionsFromForm();
      const count = whole("count", form.elements.count.value.trim(), 1, MAX_U32);
      const seedText = form.elements.seed.value.trim();
      const seed = seedText === "" ? crypto.getRandomValues(new Uint32Array(1))[0] : whole("seed", seedText, 0, MAX_U32);
      const start = performance.now();
      const result = lexicon.generate(options, seed, count);
      const generated = performance.now();
      const names = result.names === "" ? [] : result.names.split("\n");
      listed = { names, shown: 0, kept: new Set(keptNames().filter((k) => k.run === chapter.run).map((k) => k.name)) };
      $("names").replaceChildren();
      listMore();
      const shown = performance.now();
      window.lastRun = { names: names.length, seed, generateMs: generated - start, totalMs: shown - start };
      $("run-info").textContent = `${names.length} ${names.length === 1 ? "name" : "names"}, seed ${seed}`;
      if (result.error) show($("message"), result.error);
      settingsToAddress(seed);
    } catch (error) {
      show($("message"), error.message);
    }
  }

  async function copy(text) {
    try {
      await navigator.clipboard.writeText(text);
    } catch {
      const area = Object.assign(document.createElement("textarea"), { value: text });
      document.body.append(area);
      area.select();
      document.execCommand("copy");
      area.remove();
    }
  }

  // ---- Kept names ----

  function keptNames() {
    try {
      const list = JSON.parse(localStorage.getItem(KEPT_KEY) || "[]");
      return Array.isArray(list) ? list : [];
    } catch {
      return [];
    }
  }

  function saveKept(list) {
    try {
      localStorage.setItem(KEPT_KEY, JSON.stringify(list));
    } catch (error) {
      show($("message"), `The kept names cannot be saved in this browser: ${error.message}`);
    }
    showKept(list);
  }

  function showKept(list) {
    $("kept").replaceChildren(...list.map((k, i) => {
      const li = document.createElement("li");
      const remove = Object.assign(document.createElement("button"), { type: "button", textContent: "Remove" });
      remove.setAttribute("aria-label", `Remove ${k.name}`);
      remove.dataset.index = i;
      li.append(k.name, remove);
      return li;
    }));
    for (const id of ["download-store", "download-text", "clear-kept"]) $(id).disabled = !list.length;
  }

  function toggleKeep(button, name) {
    const list = keptNames();
    const at = list.findIndex((k) => k.name === name && k.run === chapter.run);
    if (at >= 0) {
      list.splice(at, 1);
    } else {
      const d = new Date();
      list.push({ name, title: chapter.title, run: chapter.run,
        when: [d.getFullYear(), d.getMonth() + 1, d.getDate(), d.getHours(), d.getMinutes(), d.getSeconds()] });
    }
    if (at >= 0) listed.kept.delete(name);
    else listed.kept.add(name);
    button.setAttribute("aria-pressed", String(at < 0));
    saveKept(list);
  }

  function download(fileName, bytes, type) {
    const url = URL.createObjectURL(new Blob([bytes], { type }));
    const link = Object.assign(document.createElement("a"), { href: url, download: fileName });
    document.body.append(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(url), 1000);
  }

  // The Store's runs: the names kept from one Chapter load, one after the other, under the title
  // line dated when the first of them was kept.
  function storeRuns(list) {
    const runs = [];
    for (const k of list) {
      const last = runs[runs.length - 1];
      if (last && last.run === k.run) last.names.push(k.name);
      else runs.push({ run: k.run, title: k.title, when: k.when, names: [k.name] });
    }
    return runs;
  }

  // ---- Start ----

  function wire() {
    form.addEventListener("submit", (event) => {
      event.preventDefault();
      generate();
    });
    // Enter generates from any field, the lists and switches too.
    form.addEventListener("keydown", (event) => {
      if (event.key === "Enter" && event.target.tagName !== "BUTTON") {
        event.preventDefault();
        generate();
      }
    });
    $("chapter").addEventListener("change", () => {
      show($("file-message"), "");
      if (!$("chapter").value) return; // the Chapter opened from a file stays
      try {
        loadSample($("chapter").value);
        generate();
      } catch (error) {
        show($("file-message"), error.message);
      }
    });
    $("file").addEventListener("change", () => {
      const file = $("file").files[0];
      if (file) openFile(file);
    });
    $("names").addEventListener("click", (event) => {
      const button = event.target.closest("button");
      if (!button) return;
      const name = button.parentElement.firstChild.textContent;
      if (button.classList.contains("copy")) copy(name);
      else toggleKeep(button, name);
    });
    $("kept").addEventListener("click", (event) => {
      const button = event.target.closest("button");
      if (!button) return;
      const list = keptNames();
      list.splice(Number(button.dataset.index), 1);
      saveKept(list);
    });
    $("download-store").addEventListener("click", () => {
      download("STORED.txt", lexicon.storeBytes(storeRuns(keptNames()), $("trailing-line").checked), "text/plain;charset=windows-1252");
    });
    $("download-text").addEventListener("click", () => {
      download("kept-names.txt", keptNames().map((k) => k.name + "\n").join(""), "text/plain;charset=utf-8");
    });
    $("clear-kept").addEventListener("click", () => saveKept([]));
    $("show-more").addEventListener("click", listMore);
    $("download-names").addEventListener("click", () => {
      download("names.txt", listed.names.map((n) => n + "\n").join(""), "text/plain;charset=utf-8");
    });
    new IntersectionObserver((seen) => {
      if (seen.some((e) => e.isIntersecting) && listed.shown < listed.names.length) listMore();
    }, { rootMargin: "600px" }).observe($("more"));
  }

  function start(module) {
    lexicon = module;
    nameLetters = new Set([...lexicon.nameLetters()]);
    cp1252 = new Set([...windows1252.decode(Uint8Array.from({ length: 224 }, (_, i) => i + 32))]);
    const select = $("chapter");
    select.append(new Option("(a file of your own)", ""));
    for (const sample of window.QUORVANE_SAMPLES) {
      sample.bytes = Uint8Array.from(atob(sample.base64), (c) => c.charCodeAt(0));
      const title = lexicon.loadChapter(sample.bytes) ? sample.id : lexicon.chapterInfo().title;
      select.append(new Option(title, sample.id));
    }
    wire();
    showKept(keptNames());
    // A setting the page cannot take is said, and the Chapter still loads, without a run.
    let wanted = null;
    let usable = true;
    try {
      wanted = settingsFromAddress();
    } catch (error) {
      show($("message"), error.message);
      usable = false;
    }
    try {
      loadSample(wanted || window.QUORVANE_SAMPLES[0].id);
      if (usable) generate();
    } catch (error) {
      show($("message"), error.message);
    }
    document.body.dataset.ready = "true";
  }

  createLexiconModule().then(start, (error) => {
    show($("message"), `The name generator could not start in this browser: ${error.message || error}`);
  });
})();
