// The C API over the C++ API: handles own their C++ objects, texts are copied into the caller's
// buffers, and no exception crosses a qv_* function (each catches all at its boundary).
#include "quorvane/quorvane.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "quorvane/composer.h"
#include "quorvane/lexicon.h"

struct qv_lexicon {
  quorvane::Lexicon lexicon;
};

struct qv_generator {
  quorvane::Generator generator;
  std::optional<std::string> pending;  // a name its buffer could not hold, for the next call
};

struct qv_composer {
  quorvane::Composer composer;
};

struct qv_composed_generator {
  quorvane::ComposedGenerator generator;
  std::optional<std::string> pending;  // a name its buffer could not hold, for the next call
};

namespace {

// The message of the last failure on this thread, for qv_last_error().
thread_local std::string last_error;

// Copies `message` into the caller's `err` buffer, cut to fit and NUL-terminated.
void CopyMessage(const std::string& message, char* err, std::size_t err_size) {
  if (err == nullptr || err_size == 0) return;
  const std::size_t length = std::min(message.size(), err_size - 1);
  std::memcpy(err, message.data(), length);
  err[length] = '\0';
}

int Fail(int code, std::string message, char* err = nullptr, std::size_t err_size = 0) {
  last_error = std::move(message);
  CopyMessage(last_error, err, err_size);
  return code;
}

// `text` and its NUL into `buffer`: the length, or QV_ERROR_BUFFER.
int CopyText(const char* call, const std::string& text, char* buffer, std::size_t size) {
  if (buffer == nullptr || size < text.size() + 1) {
    return Fail(QV_ERROR_BUFFER, std::string(call) + ": the text needs " +
                                     std::to_string(text.size() + 1) + " bytes, the buffer holds " +
                                     std::to_string(buffer == nullptr ? 0 : size));
  }
  std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';
  return static_cast<int>(text.size());
}

// The next name into `buffer`: the one `pending` kept from a call whose buffer was too small, or
// else a new one from `next` (0 when it finds none). A name the buffer cannot hold stays pending.
template <typename NextName>
int GiveNextName(const char* call, std::optional<std::string>& pending, NextName&& next,
                 char* buffer, std::size_t size) {
  if (!pending) {
    pending = next();
    if (!pending) return 0;
  }
  const int length = CopyText(call, *pending, buffer, size);
  if (length >= 0) pending.reset();
  return length;
}

std::string Missing(const char* call, const char* what) {
  return std::string(call) + ": " + what + " is NULL";
}

// Runs `body`, turning anything it throws into QV_ERROR_INTERNAL with the exception's text.
template <typename Body>
int Guarded(const char* call, Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return Fail(QV_ERROR_INTERNAL, std::string(call) + ": out of memory");
  } catch (const std::exception& error) {
    return Fail(QV_ERROR_INTERNAL, std::string(call) + ": " + error.what());
  } catch (...) {
    return Fail(QV_ERROR_INTERNAL, std::string(call) + ": unknown failure");
  }
}

std::string OptionalText(const char* text) {
  return text ? std::string(text) : std::string();
}

// The C++ options of `options`; CheckOptions then checks their ranges against the Chapter.
quorvane::Options ToOptions(const qv_options& options) {
  quorvane::Options result;
  result.level = options.level;
  result.validation = options.validation;
  result.structural = options.structural != 0;
  result.statistical = options.statistical != 0;
  result.prefixes = options.prefixes != 0;
  result.suffixes = options.suffixes != 0;
  result.automatic = options.automatic != 0;
  result.initial = OptionalText(options.initial);
  result.unique = options.unique != 0;
  result.novel = options.novel != 0;
  if (options.min_length != 0) result.min_length = options.min_length;
  if (options.max_length != 0) result.max_length = options.max_length;
  result.starts_with = OptionalText(options.starts_with);
  result.ends_with = OptionalText(options.ends_with);
  result.contains = OptionalText(options.contains);
  if (options.exclude != nullptr && options.exclude[0] != '\0') {
    result.exclude.emplace_back(options.exclude);
  }
  return result;
}

qv_lexicon* Loaded(quorvane::Result<quorvane::Lexicon> result, char* err, std::size_t err_size) {
  if (!result) {
    Fail(QV_ERROR_ARGUMENT, result.error().message, err, err_size);
    return nullptr;
  }
  return new qv_lexicon{std::move(*result)};
}

// A count of the lexicon, or QV_ERROR_ARGUMENT for no lexicon.
template <typename Count>
int CountOf(const char* call, const qv_lexicon* lexicon, Count&& count) {
  if (lexicon == nullptr) return Fail(QV_ERROR_ARGUMENT, Missing(call, "lexicon"));
  return Guarded(call, [&] { return count(lexicon->lexicon); });
}

}  // namespace

extern "C" {

void qv_options_init(qv_options* options) {
  if (options != nullptr) *options = qv_options{};
}

qv_lexicon* qv_lexicon_load_file(const char* path, char* err, std::size_t err_size) {
  if (path == nullptr) {
    Fail(QV_ERROR_ARGUMENT, Missing("qv_lexicon_load_file", "path"), err, err_size);
    return nullptr;
  }
  qv_lexicon* lexicon = nullptr;
  const int status = Guarded("qv_lexicon_load_file", [&] {
    lexicon = Loaded(quorvane::Lexicon::LoadFile(path), err, err_size);
    return static_cast<int>(QV_OK);
  });
  if (status != QV_OK) CopyMessage(last_error, err, err_size);
  return lexicon;
}

qv_lexicon* qv_lexicon_load_bytes(const void* data, std::size_t size, char* err,
                                  std::size_t err_size) {
  if (data == nullptr && size != 0) {
    Fail(QV_ERROR_ARGUMENT, Missing("qv_lexicon_load_bytes", "data"), err, err_size);
    return nullptr;
  }
  qv_lexicon* lexicon = nullptr;
  const int status = Guarded("qv_lexicon_load_bytes", [&] {
    const std::string_view bytes(static_cast<const char*>(data), size);
    lexicon = Loaded(quorvane::Lexicon::Load(bytes), err, err_size);
    return static_cast<int>(QV_OK);
  });
  if (status != QV_OK) CopyMessage(last_error, err, err_size);
  return lexicon;
}

void qv_lexicon_free(qv_lexicon* lexicon) {
  delete lexicon;
}

int qv_lexicon_name_count(const qv_lexicon* lexicon) {
  return CountOf("qv_lexicon_name_count", lexicon,
                 [](const quorvane::Lexicon& l) { return l.NameCount(); });
}

int qv_lexicon_vowel_element_count(const qv_lexicon* lexicon) {
  return CountOf("qv_lexicon_vowel_element_count", lexicon,
                 [](const quorvane::Lexicon& l) { return l.VowelElementCount(); });
}

int qv_lexicon_consonant_element_count(const qv_lexicon* lexicon) {
  return CountOf("qv_lexicon_consonant_element_count", lexicon,
                 [](const quorvane::Lexicon& l) { return l.ConsonantElementCount(); });
}

int qv_lexicon_max_elements_per_name(const qv_lexicon* lexicon) {
  return CountOf("qv_lexicon_max_elements_per_name", lexicon,
                 [](const quorvane::Lexicon& l) { return l.MaxElementsPerName(); });
}

int qv_lexicon_title(const qv_lexicon* lexicon, char* buffer, std::size_t size) {
  return CountOf("qv_lexicon_title", lexicon, [&](const quorvane::Lexicon& l) {
    return CopyText("qv_lexicon_title", l.Title(), buffer, size);
  });
}

qv_generator* qv_generator_new(const qv_lexicon* lexicon, const qv_options* options,
                               std::uint32_t seed) {
  if (lexicon == nullptr) {
    Fail(QV_ERROR_ARGUMENT, Missing("qv_generator_new", "lexicon"));
    return nullptr;
  }
  if (options == nullptr) {
    Fail(QV_ERROR_ARGUMENT, Missing("qv_generator_new", "options"));
    return nullptr;
  }
  qv_generator* generator = nullptr;
  Guarded("qv_generator_new", [&]() -> int {
    const quorvane::Options chosen = ToOptions(*options);
    if (const quorvane::Result<void> usable = quorvane::CheckOptions(lexicon->lexicon, chosen);
        !usable) {
      return Fail(QV_ERROR_ARGUMENT, "qv_generator_new: " + usable.error().message);
    }
    generator = new qv_generator{quorvane::Generator(lexicon->lexicon, chosen, seed), {}};
    return static_cast<int>(QV_OK);
  });
  return generator;
}

void qv_generator_free(qv_generator* generator) {
  delete generator;
}

int qv_generator_next(qv_generator* generator, char* buffer, std::size_t size) {
  if (generator == nullptr) {
    return Fail(QV_ERROR_ARGUMENT, Missing("qv_generator_next", "generator"));
  }
  return Guarded("qv_generator_next", [&] {
    return GiveNextName(
        "qv_generator_next", generator->pending, [&] { return generator->generator.Next(); },
        buffer, size);
  });
}

int qv_name_for(const qv_lexicon* lexicon, const qv_options* options, std::uint64_t world_seed,
                const char* key, char* buffer, std::size_t size) {
  if (lexicon == nullptr) return Fail(QV_ERROR_ARGUMENT, Missing("qv_name_for", "lexicon"));
  if (options == nullptr) return Fail(QV_ERROR_ARGUMENT, Missing("qv_name_for", "options"));
  if (key == nullptr) return Fail(QV_ERROR_ARGUMENT, Missing("qv_name_for", "key"));
  return Guarded("qv_name_for", [&] {
    const quorvane::Options chosen = ToOptions(*options);
    if (const quorvane::Result<void> usable = quorvane::CheckOptions(lexicon->lexicon, chosen);
        !usable) {
      return Fail(QV_ERROR_ARGUMENT, "qv_name_for: " + usable.error().message);
    }
    const std::string name = quorvane::NameFor(lexicon->lexicon, chosen, world_seed, key);
    if (name.empty()) return 0;
    return CopyText("qv_name_for", name, buffer, size);
  });
}

int qv_score_name(const qv_lexicon* lexicon, const char* name, qv_score* score, char* nearest,
                  std::size_t size) {
  if (lexicon == nullptr) return Fail(QV_ERROR_ARGUMENT, Missing("qv_score_name", "lexicon"));
  if (name == nullptr) return Fail(QV_ERROR_ARGUMENT, Missing("qv_score_name", "name"));
  if (score == nullptr) return Fail(QV_ERROR_ARGUMENT, Missing("qv_score_name", "score"));
  return Guarded("qv_score_name", [&] {
    const quorvane::Result<quorvane::NameScore> scored = quorvane::Score(lexicon->lexicon, name);
    if (!scored) return Fail(QV_ERROR_ARGUMENT, "qv_score_name: " + scored.error().message);
    *score = {scored->bits_per_letter, scored->typical_bar, scored->typical ? 1 : 0,
              scored->edit_distance};
    if (nearest == nullptr && size == 0) return static_cast<int>(scored->nearest_seed.size());
    return CopyText("qv_score_name", scored->nearest_seed, nearest, size);
  });
}

const char* qv_last_error(void) {
  return last_error.c_str();
}

qv_composer* qv_composer_load_recipe(const char* path, const qv_options* filters, char* err,
                                     std::size_t err_size) {
  if (path == nullptr) {
    Fail(QV_ERROR_ARGUMENT, Missing("qv_composer_load_recipe", "path"), err, err_size);
    return nullptr;
  }
  qv_composer* composer = nullptr;
  const int status = Guarded("qv_composer_load_recipe", [&] {
    const quorvane::Options chosen = filters ? ToOptions(*filters) : quorvane::Options{};
    quorvane::Result<quorvane::Composer> loaded = quorvane::Composer::LoadRecipe(path, chosen);
    if (!loaded) return Fail(QV_ERROR_ARGUMENT, loaded.error().message, err, err_size);
    composer = new qv_composer{std::move(*loaded)};
    return static_cast<int>(QV_OK);
  });
  if (status == QV_ERROR_INTERNAL) CopyMessage(last_error, err, err_size);
  return composer;
}

void qv_composer_free(qv_composer* composer) {
  delete composer;
}

qv_composed_generator* qv_composed_generator_new(const qv_composer* composer, std::uint32_t seed) {
  if (composer == nullptr) {
    Fail(QV_ERROR_ARGUMENT, Missing("qv_composed_generator_new", "composer"));
    return nullptr;
  }
  qv_composed_generator* generator = nullptr;
  Guarded("qv_composed_generator_new", [&] {
    generator =
        new qv_composed_generator{quorvane::ComposedGenerator(composer->composer, seed), {}};
    return static_cast<int>(QV_OK);
  });
  return generator;
}

void qv_composed_generator_free(qv_composed_generator* generator) {
  delete generator;
}

int qv_composed_generator_next(qv_composed_generator* generator, char* buffer, std::size_t size) {
  if (generator == nullptr) {
    return Fail(QV_ERROR_ARGUMENT, Missing("qv_composed_generator_next", "generator"));
  }
  return Guarded("qv_composed_generator_next", [&] {
    return GiveNextName(
        "qv_composed_generator_next", generator->pending,
        [&]() -> std::optional<std::string> {
          std::optional<quorvane::ComposedName> name = generator->generator.Next();
          if (!name) return std::nullopt;
          return std::move(name->name);
        },
        buffer, size);
  });
}

int qv_composer_name_for(const qv_composer* composer, std::uint64_t world_seed, const char* key,
                         char* buffer, std::size_t size) {
  if (composer == nullptr) {
    return Fail(QV_ERROR_ARGUMENT, Missing("qv_composer_name_for", "composer"));
  }
  if (key == nullptr) return Fail(QV_ERROR_ARGUMENT, Missing("qv_composer_name_for", "key"));
  return Guarded("qv_composer_name_for", [&] {
    const std::optional<quorvane::ComposedName> name =
        quorvane::NameFor(composer->composer, world_seed, key);
    if (!name) return 0;
    return CopyText("qv_composer_name_for", name->name, buffer, size);
  });
}

}  // extern "C"
