// The web page in a headless Chromium, against the native qorv: settings links give qorv's
// names, a word list opened through the file input becomes the Chapter `qorv chapter new` makes,
// a broken Chapter shows the loader's message, kept names download as qorv's Store bytes.
// Screenshots at 1280 and 400 pixels wide are kept; the speed of 100000 names is reported.
//
//   node web_page_test.mjs SITE_DIR QORV CHAPTERS_DIR OUT_DIR
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { pathToFileURL } from "node:url";
import puppeteer from "puppeteer-core";

const [site, qorv, chapters, out] = process.argv.slice(2);
const work = fs.mkdtempSync(path.join(os.tmpdir(), "qorv-web-"));
const downloads = path.join(work, "downloads");
fs.mkdirSync(downloads);
fs.mkdirSync(out, { recursive: true });
const page_url = pathToFileURL(path.join(site, "index.html")).href;
let failures = 0;

function check(ok, what, detail = "") {
  console.log(`${ok ? "ok" : "FAILED"}: ${what}${ok || !detail ? "" : `\n  ${detail}`}`);
  if (!ok) failures += 1;
}

function run(args, options = {}) {
  return execFileSync(qorv, args, { encoding: "utf8", ...options });
}

const qorvNames = (args, options) => run(["generate", ...args], options).split("\n").filter(Boolean);

async function open(page, query) {
  await page.goto(`${page_url}?${query}`);
  await page.waitForSelector("body[data-ready]");
}

const pageNames = (page) =>
  page.$$eval("#names li", (items) => items.map((li) => li.firstChild.textContent));
const text = (page, selector) => page.$eval(selector, (e) => (e.hidden ? "" : e.textContent));

const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
  args: ["--no-sandbox", "--disable-gpu", "--allow-file-access-from-files"],
});
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 900 });

  // Settings links at three option sets, each the same run as qorv's.
  const runs = [
    ["chapter=elder_folk&level=2&seed=42&count=5", ["elder_folk.qrv", "-g", "2", "--seed", "42", "-n", "5"]],
    ["chapter=towns_of_the_realm&level=1&validation=2&structural=1&statistical=1&suffixes=1&seed=7&count=40",
      ["towns_of_the_realm.qrv", "-g", "1", "-v", "2", "--structural", "--statistical", "--suffixes", "--seed", "7", "-n", "40"]],
    ["chapter=burning_sands&auto=1&unique=1&novel=1&min-length=4&max-length=9&exclude=ar&exclude=th&initial=K&seed=3&count=30",
      ["burning_sands.qrv", "--auto", "--unique", "--novel", "--min-length", "4", "--max-length", "9",
        "--exclude", "ar", "--exclude", "th", "-i", "K", "--seed", "3", "-n", "30"]],
  ];
  for (const [query, args] of runs) {
    await open(page, query);
    const expected = qorvNames([path.join(chapters, args[0]), ...args.slice(1)]);
    const got = await pageNames(page);
    check(got.length > 0 && JSON.stringify(got) === JSON.stringify(expected), `?${query} gives qorv's names`,
      `page: ${got.join(" ")} | qorv: ${expected.join(" ")} | ${await text(page, "#message")}`);
  }
  // The address keeps the run's settings and its seed, so that a link repeats it.
  await open(page, "chapter=western_valleys&level=3&count=6");
  const first = await pageNames(page);
  const address = page.url();
  check(/seed=\d+/.test(address) && /level=3/.test(address), "the address takes the seed drawn", address);
  await page.goto(address);
  await page.waitForSelector("body[data-ready]");
  check(JSON.stringify(await pageNames(page)) === JSON.stringify(first), "the address repeats the run");
  await open(page, "chapter=elder_folk&initial=X&seed=1");
  const refusal = await text(page, "#message");
  let qorvRefusal = "";
  try {
    run(["generate", path.join(chapters, "elder_folk.qrv"), "-i", "X", "--seed", "1"], { stdio: "pipe" });
  } catch (error) {
    qorvRefusal = String(error.stderr);
  }
  check(refusal !== "" && qorvRefusal.includes(refusal), "impossible options get qorv's message",
    `page: ${refusal} | qorv: ${qorvRefusal}`);

  // Enter in a field generates.
  await open(page, "chapter=elder_folk&seed=5&count=3");
  await page.$eval("input[name=seed]", (e) => { e.value = "6"; });
  await page.focus("input[name=count]");
  await page.keyboard.press("Enter");
  check(JSON.stringify(await pageNames(page)) ===
    JSON.stringify(qorvNames([path.join(chapters, "elder_folk.qrv"), "--seed", "6", "-n", "3"])), "Enter generates");

  // Kept names download as the Store qorv writes (but for the date and time of the title line).
  const cdp = await page.createCDPSession();
  await cdp.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: downloads });
  await page.evaluate(() => localStorage.clear());
  await open(page, "chapter=elder_folk&level=2&seed=42&count=3");
  for (const n of [1, 3]) await page.click(`#names li:nth-child(${n}) .keep`);
  await page.click("#trailing-line");
  await page.click("#download-store");
  const storeDir = path.join(work, "store");
  fs.mkdirSync(storeDir);
  run(["generate", path.join(chapters, "elder_folk.qrv"), "-g", "2", "--seed", "42", "-n", "3", "--store", "--trailing-line"],
    { cwd: storeDir });
  const native = fs.readFileSync(path.join(storeDir, "STORED.txt"), "latin1").split("\r\n");
  native.splice(5, 1); // the second of qorv's three names was not kept
  const stored = path.join(downloads, "STORED.txt");
  for (let i = 0; i < 50 && !fs.existsSync(stored); ++i) await new Promise((r) => setTimeout(r, 100));
  const undated = (bytes) => bytes.replace(/ - [A-Z][a-z]+ \d+, \d{4} \d+:\d\d:\d\d [ap]m\]/, " - DATE]");
  const got = fs.existsSync(stored) ? fs.readFileSync(stored, "latin1") : "";
  check(got !== "" && undated(got) === undated(native.join("\r\n")), "the kept names download as qorv's Store",
    `page: ${JSON.stringify(got)} | qorv: ${JSON.stringify(native.join("\r\n"))}`);
  await page.reload();
  await page.waitForSelector("body[data-ready]");
  check((await page.$$("#kept li")).length === 2, "the kept names stay in the browser's storage");

  // A word list through the file input becomes the Chapter `qorv chapter new` makes of it.
  const list = path.join(work, "river_towns.txt");
  fs.writeFileSync(list, fs.readFileSync(path.join(chapters, "word_lists", "river_towns.txt"), "utf8") +
    "Črnomelj\nBrook 9\nAmbervale\n");
  const today = new Date();
  const date = [today.getFullYear(), today.getMonth() + 1, today.getDate()].map((n) => String(n).padStart(2, "0")).join("-");
  run(["chapter", "new", list, "-o", path.join(work, "river_towns.qrv"), "--quiet", "--date", date]);
  await open(page, "chapter=elder_folk&seed=11&count=12");
  await (await page.$("#file")).uploadFile(list);
  await page.waitForFunction(() => document.querySelector("#chapter-info dd").textContent === "River Towns");
  await page.$eval("input[name=seed]", (e) => { e.value = "11"; });
  await page.click("#generate");
  const fromList = qorvNames([path.join(work, "river_towns.qrv"), "--seed", "11", "-n", "12"]);
  check(JSON.stringify(await pageNames(page)) === JSON.stringify(fromList), "a word list becomes qorv's Chapter",
    `page: ${(await pageNames(page)).join(" ")} | qorv: ${fromList.join(" ")}`);
  const notes = await page.$$eval("#notes li", (items) => items.map((li) => li.textContent).join("\n"));
  check(/"Črnomelj" written as "Crnomelj"/.test(notes) && /"Brook 9" skipped/.test(notes) && /merged: the same name as line 3/.test(notes),
    "the word list's notes", notes);

  // A broken Chapter shows the loader's message; a file that is not text says so.
  const broken = path.join(work, "broken.qrv");
  fs.writeFileSync(broken, 'TITLE "Broken\n');
  let loaderMessage = "";
  try {
    run(["inspect", broken], { stdio: "pipe" });
  } catch (error) {
    loaderMessage = String(error.stderr).split("\n")[0].replace(/^qorv: .*?: /, "");
  }
  await (await page.$("#file")).uploadFile(broken);
  await page.waitForSelector("#file-message:not([hidden])");
  const shown = await text(page, "#file-message");
  check(loaderMessage !== "" && shown.includes(loaderMessage), "a broken Chapter shows the loader's message",
    `page: ${shown} | qorv: ${loaderMessage}`);
  const binary = path.join(work, "names.txt");
  fs.writeFileSync(binary, Buffer.from("Ambervale\n\0Brenmouth\n"));
  await (await page.$("#file")).uploadFile(binary);
  await page.waitForFunction((before) => document.querySelector("#file-message").textContent !== before, {}, shown);
  const refusedText = await text(page, "#file-message");
  check(refusedText === "names.txt is not a text file (a NUL byte on line 2)",
    "a file that is not text is refused with its reason", refusedText);

  // Speed, reported: 100000 names at level 0, in the page and in qorv.
  await open(page, "chapter=elder_folk&seed=9&count=100000");
  const timing = await page.evaluate(() => window.lastRun);
  // They are listed a thousand at a time, the next thousand on demand.
  const listedCount = () => page.$$eval("#names li", (items) => items.length);
  const before = await listedCount();
  await page.click("#show-more");
  check(timing.names === 100000 && before === 1000 && (await listedCount()) === 2000,
    "100000 names made, listed a thousand at a time", `${timing.names} made, ${before} listed`);
  const started = process.hrtime.bigint();
  qorvNames([path.join(chapters, "elder_folk.qrv"), "--seed", "9", "-n", "100000"], { maxBuffer: 1 << 26 });
  const nativeMs = Number(process.hrtime.bigint() - started) / 1e6;
  const rate = (ms) => Math.round(100000 / (ms / 1000));
  console.log(`speed: page ${timing.generateMs.toFixed(0)} ms generating (${rate(timing.generateMs)} names/s), ` +
    `${timing.totalMs.toFixed(0)} ms with the list shown (${rate(timing.totalMs)} names/s); ` +
    `qorv ${nativeMs.toFixed(0)} ms (${rate(nativeMs)} names/s, process start included)`);

  // Screenshots for a look, on a desk's width and a phone's.
  await open(page, "chapter=elder_folk&level=2&seed=42&count=12");
  for (const width of [1280, 400]) {
    await page.setViewport({ width, height: 900 });
    const file = path.join(out, `page-${width}.png`);
    await page.screenshot({ path: file, fullPage: true });
    const overflow = await page.evaluate(() => document.documentElement.scrollWidth - window.innerWidth);
    check(overflow <= 0, `nothing wider than the window at ${width} px`, `${overflow} px too wide`);
    console.log(`screenshot: ${file}`);
  }
} finally {
  await browser.close();
  fs.rmSync(work, { recursive: true, force: true });
}
process.exit(failures ? 1 : 0);
