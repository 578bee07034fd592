// Five names from a Chapter, invented in-process: what a game needs of the Quorvane Lexicon. The
// marked lines are the README's example, word for word (tests/install/check_consumer.sh).
#include <iostream>
#include <optional>
#include <string>

// README:begin
#include <quorvane/lexicon.h>
// README:end

int main(int argc, char* argv[]) {
  if (argc < 2) return 2;
  const std::string path = argv[1];
  // clang-format off
  // README:begin
  auto loaded = quorvane::Lexicon::LoadFile(path);   // also Load(bytes), FromNames(names)
  if (!loaded) { std::cerr << loaded.error().message << '\n'; return 1; }
  const quorvane::Lexicon& lexicon = *loaded;        // immutable; share it between threads freely
  quorvane::Options options;                         // the options of `qorv generate`
  options.level = 2;
  options.validation = 1;
  options.unique = true;
  quorvane::Generator generator(lexicon, options, /*seed=*/42);  // one per thread
  // README:end
  // clang-format on
  for (int i = 0; i < 5; ++i) {
    // README:begin
    if (std::optional<std::string> name = generator.Next()) std::cout << *name << '\n';
    // README:end
  }
}
