/* A game in C over the installed library, built with `pkg-config --cflags --libs quorvane`:
 * five names from generator seed 42, then the name of the key "npc-42" in world 7, one per line.
 * The marked lines are the README's example, word for word (tests/install/check_consumer.sh). */
#include <stdio.h>

/* README:begin */
#include <quorvane/quorvane.h>
/* README:end */

int main(int argc, char *argv[]) {
  if (argc < 2) return 2;
  const char *path = argv[1];
  /* README:begin */
  char err[256];
  qv_lexicon *lexicon = qv_lexicon_load_file(path, err, sizeof err); /* NULL: see err */
  if (!lexicon) return fprintf(stderr, "%s\n", err), 1;
  qv_options options;
  qv_options_init(&options);
  options.level = 2;
  qv_generator *generator = qv_generator_new(lexicon, &options, 42);
  char name[256];
  /* README:end */
  for (int i = 0; i < 5; ++i) {
    /* README:begin */
    int length = qv_generator_next(generator, name, sizeof name); /* 0: none found, <0: error */
    /* README:end */
    if (length <= 0) return fprintf(stderr, "%s\n", qv_last_error()), 1;
    puts(name);
  }
  /* README:begin */
  if (qv_name_for(lexicon, &options, 7, "npc-42", name, sizeof name) > 0) puts(name);
  qv_generator_free(generator);
  qv_lexicon_free(lexicon);
  /* README:end */
  return 0;
}
