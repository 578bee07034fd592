/* The Quorvane Lexicon's C API (C99): names from a Chapter, in-process, from C or any language
 * that calls C. Link with `pkg-config --cflags --libs quorvane` (libquorvane.so).
 *
 *   char err[256];
 *   qv_lexicon *lexicon = qv_lexicon_load_file("elder_folk.qrv", err, sizeof err);
 *   if (!lexicon) { fprintf(stderr, "%s\n", err); return 1; }
 *   qv_options options;
 *   qv_options_init(&options);
 *   options.level = 2;
 *   qv_generator *generator = qv_generator_new(lexicon, &options, 42);
 *   char name[256];
 *   int length = qv_generator_next(generator, name, sizeof name);
 *   qv_name_for(lexicon, &options, 7, "npc-42", name, sizeof name);
 *   qv_generator_free(generator);
 *   qv_lexicon_free(lexicon);
 *
 * Handles are opaque. Every text is UTF-8 and NUL-terminated. No call throws or aborts: a failure
 * is a return value (NULL or a negative QV_ERROR_*) with a message, written into the caller's
 * `err` buffer where the call takes one and always kept for qv_last_error() on the calling
 * thread. A message is cut to fit its buffer, always NUL-terminated; a NULL `err` or a size of 0
 * is allowed.
 *
 * Threads: a qv_lexicon is immutable once loaded and may be shared by any number of threads,
 * each with its own generators; one qv_generator is used by one thread at a time. A lexicon must
 * outlive its generators.
 */
#ifndef QUORVANE_QUORVANE_H
#define QUORVANE_QUORVANE_H

#include <stddef.h>
#include <stdint.h>

#if defined(__GNUC__)
#define QV_API __attribute__((visibility("default")))
#else
#define QV_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* The return values of the calls that return an int; names and sizes are >= 0. */
enum {
  QV_OK = 0,
  QV_ERROR_ARGUMENT = -1, /* a NULL handle or pointer, or an option out of range */
  QV_ERROR_BUFFER = -2,   /* the buffer cannot hold the text and its NUL; see the message */
  QV_ERROR_INTERNAL = -3  /* out of memory, or a fault inside the library */
};

/* A loaded Chapter. */
typedef struct qv_lexicon qv_lexicon;
/* A run of names over one lexicon: its random source and its history of the last 100 names. */
typedef struct qv_generator qv_generator;

/* What a name is made under: the generator's options, then the filters a name must pass.
 * Fill with qv_options_init, then change what differs; texts are UTF-8, NULL for none. */
typedef struct qv_options {
  int level;       /* generation level 0..3: how strictly neighbours must have been seen together */
  int validation;  /* validation level 0..2 */
  int structural;  /* nonzero: keep to a seed name's length pattern */
  int statistical; /* nonzero: choose elements by frequency */
  int prefixes;    /* nonzero: begin with a seed name's first element pair */
  int suffixes;    /* nonzero: end with a seed name's last element pair */
  int automatic;   /* nonzero: the six above from the Chapter's GENOPT (they must stay 0) */
  const char* initial; /* the first letter of every name: one letter; NULL, "" or "*": any */
  /* Filters on the finished names, case-insensitive; a refused name does not count. */
  int unique;              /* nonzero: no name twice from one generator */
  int novel;               /* nonzero: no name equal to a seed name */
  unsigned min_length;     /* at least this many letters (apostrophes, hyphens not counted) */
  unsigned max_length;     /* at most this many letters; 0: no limit */
  const char* starts_with; /* NULL or "": no filter; its first letter also acts as initial */
  const char* ends_with;
  const char* contains;
  const char* exclude; /* no name that holds this text */
} qv_options;

/* The defaults: level 0, validation 0, every switch off, any initial letter, no filter. */
QV_API void qv_options_init(qv_options* options);

/* A Chapter read from the file at `path`, or NULL (the reason in `err`: the loader's message,
 * e.g. "Invalid or missing LINE1 tag", or the system's reason the file cannot be read). */
QV_API qv_lexicon* qv_lexicon_load_file(const char* path, char* err, size_t err_size);
/* The same from `size` bytes of a Chapter file at `data` (Windows-1252 as on disk). */
QV_API qv_lexicon* qv_lexicon_load_bytes(const void* data, size_t size, char* err, size_t err_size);
/* NULL is allowed. Every generator of the lexicon must be freed first. */
QV_API void qv_lexicon_free(qv_lexicon* lexicon);

/* What `qorv inspect` counts; -1 (QV_ERROR_ARGUMENT) for a NULL lexicon. */
QV_API int qv_lexicon_name_count(const qv_lexicon* lexicon);
QV_API int qv_lexicon_vowel_element_count(const qv_lexicon* lexicon);
QV_API int qv_lexicon_consonant_element_count(const qv_lexicon* lexicon);
QV_API int qv_lexicon_max_elements_per_name(const qv_lexicon* lexicon);
/* The Chapter's title into `buffer`: its length in bytes, or a negative QV_ERROR_*. */
QV_API int qv_lexicon_title(const qv_lexicon* lexicon, char* buffer, size_t size);

/* A generator over `lexicon` whose random source starts from `seed`: the names of
 * `qorv generate --seed SEED`. NULL when the lexicon or the options are NULL, or the options are
 * out of range or refuse every name of the Chapter (the reason: qv_last_error(), e.g.
 * "qv_generator_new: level must be 0 to 3: 4"). The options are copied. */
QV_API qv_generator* qv_generator_new(const qv_lexicon* lexicon, const qv_options* options,
                                      uint32_t seed);
/* NULL is allowed. */
QV_API void qv_generator_free(qv_generator* generator);

/* The next name into `buffer`: its length in bytes (> 0); 0 when no name was found in 20000
 * attempts (the next call starts afresh); or a negative QV_ERROR_*. When the buffer is too small
 * (QV_ERROR_BUFFER, the message says how many bytes the name needs) the name is kept, and the
 * next call returns it. */
QV_API int qv_generator_next(qv_generator* generator, char* buffer, size_t size);

/* The name of `key` (UTF-8) in the world `world_seed`: the same for the same Chapter bytes,
 * options, world seed and key on every machine and in every later version. The first name of a
 * fresh generator seeded with
 *   seed = upper 32 bits of mix(h ^ mix(world_seed)),
 *   h    = FNV-1a 64 over the key's bytes: h = 0xCBF29CE484222325, then per byte
 *          h = (h ^ byte) * 0x00000100000001B3,
 *   mix  = SplitMix64's finaliser: z = x + 0x9E3779B97F4A7C15;
 *          z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9; z = (z ^ (z >> 27)) * 0x94D049BB133111EB;
 *          z ^ (z >> 31), all modulo 2^64.
 * Returns as qv_generator_next does (a name that does not fit is lost). */
QV_API int qv_name_for(const qv_lexicon* lexicon, const qv_options* options, uint64_t world_seed,
                       const char* key, char* buffer, size_t size);

/* How typical `name` (UTF-8) is of the lexicon's seed names (quorvane::Score in
 * <quorvane/lexicon.h>, where the formula is): into `score` its bits per letter under the seeds'
 * order-2 letter model (lower is more typical), the seeds' nine-in-ten bar and whether the name
 * is within it, and the nearest seed name's edit distance; the nearest seed name itself into
 * `nearest` (its length in bytes is returned; `nearest` may be NULL with `size` 0 to skip it).
 * Returns a negative QV_ERROR_* when an argument is missing, Windows-1252 cannot hold the name
 * (QV_ERROR_ARGUMENT), or the nearest seed does not fit (QV_ERROR_BUFFER; `score` is filled). */
typedef struct qv_score {
  double bits_per_letter;
  double typical_bar;
  int typical; /* 1 when bits_per_letter <= typical_bar */
  int edit_distance;
} qv_score;
QV_API int qv_score_name(const qv_lexicon* lexicon, const char* name, qv_score* score,
                         char* nearest, size_t size);
/* Whole names from several Chapters (quorvane/composer.h): a recipe file's parts and templates.
 *
 *   qv_composer *composer = qv_composer_load_recipe("full_names.recipe", NULL, err, sizeof err);
 *   qv_composed_generator *names = qv_composed_generator_new(composer, 42);
 *   qv_composed_generator_next(names, name, sizeof name);       e.g. "Lavindë Inderathë"
 *   qv_composer_name_for(composer, 7, "npc-42", name, sizeof name);
 *
 * A qv_composer is immutable and may be shared by threads; it must outlive its generators. */
typedef struct qv_composer qv_composer;
typedef struct qv_composed_generator qv_composed_generator;

/* The recipe at `path` with its parts' Chapters loaded, or NULL (the reason in `err`, naming the
 * recipe's line, e.g. "dwarves.recipe:4: the template names the part clan, which is not given").
 * `filters`, NULL for none, holds the filters of the whole names (its generation fields must
 * keep their defaults; novel refuses a name any part of which equals a seed name). */
QV_API qv_composer* qv_composer_load_recipe(const char* path, const qv_options* filters, char* err,
                                            size_t err_size);
/* NULL is allowed. Every generator of the composer must be freed first. */
QV_API void qv_composer_free(qv_composer* composer);
/* A stream of whole names seeded with `seed`; NULL for a NULL composer. */
QV_API qv_composed_generator* qv_composed_generator_new(const qv_composer* composer, uint32_t seed);
/* NULL is allowed. */
QV_API void qv_composed_generator_free(qv_composed_generator* generator);
/* The next whole name, as qv_generator_next returns a name (0: none was found; a name the buffer
 * cannot hold is kept for the next call). */
QV_API int qv_composed_generator_next(qv_composed_generator* generator, char* buffer, size_t size);
/* The whole name of `key` in the world `world_seed`, the same on every machine; returns as
 * qv_name_for does. */
QV_API int qv_composer_name_for(const qv_composer* composer, uint64_t world_seed, const char* key,
                                char* buffer, size_t size);

/* The message of the last call on this thread that failed; "" when none has. Valid until the
 * next failing call on this thread. */
QV_API const char* qv_last_error(void);

#ifdef __cplusplus
}
#endif

#endif /* QUORVANE_QUORVANE_H */
