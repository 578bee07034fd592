// quorvane::Composer: templates and recipes read into whole names or refused with their reasons,
// and the whole names it makes over the sample Chapters.
#include "quorvane/composer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

namespace {

std::string Sample(const std::string& file) {
  const char* source = std::getenv("QORV_SOURCE_DIR");
  return std::string(source ? source : ".") + "/chapters/" + file;
}

quorvane::PartSetting Part(const char* name, const char* chapter, const char* options) {
  auto part = quorvane::ParsePart(std::string(name) + " = " + Sample(chapter) + " " + options,
                                  std::string("p:") + name);
  EXPECT_TRUE(part) << part.error().message;
  return *part;
}

// given (The Silver Tongue) and place (Western Valleys); the templates as "t1", "t2", ...
quorvane::Recipe TwoParts(const std::vector<std::string>& templates) {
  quorvane::Recipe recipe;
  recipe.parts = {Part("given", "elder_folk.qrv", "--auto"),
                  Part("place", "western_valleys.qrv", "--auto")};
  for (const std::string& text : templates) {
    recipe.templates.push_back({text, "t" + std::to_string(recipe.templates.size() + 1)});
  }
  return recipe;
}

std::string Problem(const quorvane::Recipe& recipe, const quorvane::Options& filters = {}) {
  const auto composer = quorvane::Composer::Load(recipe, filters);
  return composer ? "" : composer.error().message;
}

TEST(Composer, TemplatesAreReadOrRefusedWithTheirReason) {
  const struct {
    const char* text;
    const char* problem;
  } cases[] = {
      {"3*{given} {the Bold|2*the Grim|}", ""},
      {"{given", "t1: the brace at character 1 is not closed"},
      {"{given {place}", "t1: the brace at character 1 is not closed"},
      {"given}", "t1: the \"}\" at character 6 closes no brace"},
      {"{} {given}", "t1: the braces at character 1 are empty"},
      {"{the Bold}",
       "t1: the braces at character 1 hold \"the Bold\", which is no part's name "
       "(a choice needs \"|\")"},
      {"{given} {clan}", "t1: the template names the part clan, which is not given"},
      {"0*{given}", "t1: the weight at character 1 must be 1 to 1000000"},
      {"{given} {a|0*b}", "t1: the weight at character 12 must be 1 to 1000000"},
      {"{given} \xE2\x98\x83",
       "t1: Windows-1252, the code page of names, cannot hold \" \xE2\x98\x83\""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Problem(TwoParts({c.text, "{given} {place}"})), c.problem) << c.text;
  }
  EXPECT_EQ(Problem(TwoParts({"{given}"})), "p:place: the part place is used by no template");
  quorvane::Options level;
  level.level = 2;
  EXPECT_EQ(Problem(TwoParts({"{given} {place}"}), level),
            "the filters of whole names take no generation options (they go with each part)");
}

TEST(Composer, RecipesAreReadOrRefusedNamingTheirLine) {
  const struct {
    const char* text;
    const char* problem;
  } cases[] = {
      {"", "r: the recipe has no part"},
      {"part x = a.qrv\n", "r: the recipe has no template"},
      {"\xFF", "r: the recipe is not UTF-8"},
      {"# note\ntitle A\r\ntitle B\n", "r:3: the recipe has a title already"},
      {"part x a.qrv\n", "r:1: a part is NAME = CHAPTER [OPTIONS]"},
      {"part 1x = a.qrv\n",
       "r:1: \"1x\" is no part's name (letters, digits and _, not beginning with a digit)"},
      {"part x = a.qrv -g 4\n", "r:1: part x: --level must be 0 to 3: 4"},
      {"part x = a.qrv --loud\n", "r:1: part x: unknown option --loud"},
      {"part x = a.qrv --max-length\n", "r:1: part x: --max-length needs a value"},
      {"part x = a.qrv --novel=1\n", "r:1: part x: --novel takes no value"},
      {"part x = \"a.qrv\n", "r:1: part x: a double quote is not closed"},
      {"colour red\n", "r:1: \"colour\" is no setting of a recipe (title, part or template)"},
      {"part x = a.qrv\ntemplate {x}\npart x = a.qrv\n", "r:3: the part x is given twice"},
      {"part x = a.qrv\npart y = a.qrv\ntemplate {x}\n", "r:2: the part y is used by no template"},
  };
  for (const auto& c : cases) {
    auto recipe = quorvane::ParseRecipe(c.text, "r", "f");
    const std::string problem = !recipe ? recipe.error().message
                                : !quorvane::CheckRecipe(*recipe)
                                    ? quorvane::CheckRecipe(*recipe).error().message
                                    : "";
    EXPECT_EQ(problem, c.problem) << c.text;
  }
  auto recipe = quorvane::ParseRecipe(
      "part x = \"my holds/a.qrv\" -g3 -v 1 --suffixes --max-length=9 --exclude ar --exclude ok\n"
      "template 2* {x} {a|b}\n",
      "r", "f");
  ASSERT_TRUE(recipe) << recipe.error().message;
  const quorvane::PartSetting& x = recipe->parts.at(0);
  EXPECT_EQ(x.chapter, "f/my holds/a.qrv");
  EXPECT_EQ(x.options.level, 3);
  EXPECT_EQ(x.options.validation, 1);
  EXPECT_TRUE(x.options.suffixes);
  EXPECT_EQ(x.options.max_length, 9u);
  EXPECT_EQ(x.options.exclude, (std::vector<std::string>{"ar", "ok"}));
  EXPECT_EQ(recipe->templates.at(0).where, "r:2");
}

TEST(Composer, WholeNamesKeepToTheirTemplatesWeightsAndFilters) {
  quorvane::Options filters;
  filters.max_length = 16;
  filters.unique = true;
  filters.novel = true;
  auto composer = quorvane::Composer::Load(TwoParts({"{given}", "3*{given} of {place}"}), filters);
  ASSERT_TRUE(composer) << composer.error().message;
  std::set<std::string> seeds;
  for (std::size_t part = 0; part < 2; ++part) {
    for (const std::string& seed : composer->PartLexicon(part).SeedNames()) seeds.insert(seed);
  }
  quorvane::ComposedGenerator names(*composer, 11);
  std::set<std::string> seen;
  for (int i = 0; i < 1000; ++i) {
    const std::optional<quorvane::ComposedName> name = names.Next();
    ASSERT_TRUE(name);
    std::size_t letters = 0;  // code points, without spaces, apostrophes and hyphens
    for (const char c : name->name) {
      letters += (c & 0xC0) != 0x80 && c != ' ' && c != '\'' && c != '-';
    }
    EXPECT_LE(letters, 16u) << name->name;
    EXPECT_TRUE(seen.insert(name->name).second) << name->name;
    const std::string expected = name->template_index == 1
                                     ? name->parts.at(0).second + " of " + name->parts.at(1).second
                                     : name->parts.at(0).second;
    EXPECT_EQ(name->name, expected);
    for (const auto& [part, text] : name->parts) {
      std::string upper = text;
      for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      EXPECT_FALSE(seeds.contains(upper)) << part << ": " << text;
    }
  }

  // Without filters, the templates come in the shares of their weights.
  auto unfiltered = quorvane::Composer::Load(TwoParts({"{given}", "3*{given} of {place}"}));
  ASSERT_TRUE(unfiltered);
  quorvane::ComposedGenerator drawn(*unfiltered, 11);
  int with_place = 0;
  for (int i = 0; i < 1000; ++i) with_place += drawn.Next()->template_index == 1;
  EXPECT_NEAR(with_place, 750, 60);

  quorvane::ComposedGenerator again(*composer, 11);
  quorvane::ComposedGenerator first(*composer, 11);
  EXPECT_EQ(again.Next()->name, first.Next()->name);
  EXPECT_EQ(quorvane::NameFor(*composer, 7, "npc-42")->name,
            quorvane::NameFor(*composer, 7, "npc-42")->name);
  EXPECT_NE(quorvane::NameFor(*composer, 7, "npc-42")->name,
            quorvane::NameFor(*composer, 8, "npc-42")->name);
}

TEST(Composer, SampleRecipesLoadAndAMissingChapterIsNamed) {
  for (const char* file : {"full_names.recipe", "place_names.recipe", "titled_names.recipe"}) {
    const auto composer = quorvane::Composer::LoadRecipe(Sample(file));
    ASSERT_TRUE(composer) << composer.error().message;
    EXPECT_FALSE(composer->Title().empty()) << file;
    EXPECT_TRUE(quorvane::ComposedGenerator(*composer, 1).Next()) << file;
  }
  quorvane::Recipe recipe = TwoParts({"{given} {place}"});
  recipe.parts[1].chapter = "/nowhere/x.qrv";
  EXPECT_EQ(Problem(recipe),
            "p:place: part place: /nowhere/x.qrv: Couldn't open file (No such file or directory)");
}

}  // namespace
