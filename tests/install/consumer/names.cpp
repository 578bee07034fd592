// A game over the installed C++ library: five names from generator seed 42, then the name of the
// key "npc-42" in world 7, one per line. The marked lines are the README's example, word for word
// (tests/install/check_consumer.sh).
#include <iostream>

// README:begin
#include <quorvane/lexicon.h>
// README:end

int main(int argc, char* argv[]) {
  if (argc < 2) return 2;
  const char* path = argv[1];
  // README:begin
  auto loaded = quorvane::Lexicon::LoadFile(path);
  if (!loaded) return std::cerr << loaded.error().message << '\n', 1;
  const quorvane::Lexicon& lexicon = *loaded;  // immutable: share it with any number of threads
  quorvane::Options options;
  options.level = 2;
  quorvane::Generator generator(lexicon, options, /*seed=*/42);  // one per thread
  // README:end
  for (int i = 0; i < 5; ++i) {
    // README:begin
    if (std::optional<std::string> name = generator.Next()) std::cout << *name << '\n';
    // README:end
  }
  // README:begin
  std::cout << quorvane::NameFor(lexicon, options, /*world_seed=*/7, "npc-42") << '\n';
  // README:end
}
