// Eight threads make names at once from one shared Lexicon, each with its own Generator, and get
// exactly the names that the same Generators give one after another on one thread. Built and run
// under ThreadSanitizer by .ci/run, which then also reports any data race between them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <latch>
#include <string>
#include <thread>
#include <vector>

#include "quorvane/lexicon.h"

namespace {

constexpr int kThreads = 8;
constexpr int kNamesPerThread = 150;
constexpr int kKeysPerThread = 20;

// Thread t's options and seed: every thread asks for something else of the same Chapter.
quorvane::Options OptionsOf(int t) {
  quorvane::Options options;
  options.level = t % 4;
  options.validation = t % 3;
  options.structural = t % 2 == 1;
  options.statistical = t >= 4;
  options.prefixes = t == 5;
  options.unique = t == 6;
  return options;
}

// What thread t makes: a run of names from its own Generator, then names by key.
std::vector<std::string> Work(const quorvane::Lexicon& lexicon, int t) {
  std::vector<std::string> names;
  quorvane::Generator generator(lexicon, OptionsOf(t), 1000u + static_cast<unsigned>(t));
  for (int i = 0; i < kNamesPerThread; ++i) names.push_back(generator.Next().value_or("(none)"));
  for (int k = 0; k < kKeysPerThread; ++k) {
    names.push_back(quorvane::NameFor(lexicon, OptionsOf(t), 7, "npc-" + std::to_string(k)));
  }
  return names;
}

TEST(LexiconThreadsTest, EightThreadsOverOneLexiconGiveTheNamesOfOneThread) {
  const char* source = std::getenv("QORV_SOURCE_DIR");
  const auto lexicon =
      quorvane::Lexicon::LoadFile(std::string(source ? source : ".") + "/chapters/elder_folk.qrv");
  ASSERT_TRUE(lexicon) << lexicon.error().message;

  std::vector<std::vector<std::string>> alone;
  for (int t = 0; t < kThreads; ++t) alone.push_back(Work(*lexicon, t));

  std::vector<std::vector<std::string>> together(kThreads);
  std::latch start(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      start.arrive_and_wait();  // all eight at once, on the same Chapter data
      together[static_cast<std::size_t>(t)] = Work(*lexicon, t);
    });
  }
  for (std::thread& thread : threads) thread.join();

  for (int t = 0; t < kThreads; ++t) {
    SCOPED_TRACE("thread " + std::to_string(t));
    EXPECT_EQ(together[static_cast<std::size_t>(t)], alone[static_cast<std::size_t>(t)]);
  }
  EXPECT_NE(alone[0], alone[1]);  // the threads did not all make the same names
}

}  // namespace
