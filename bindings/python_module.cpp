// The Python module quorvane over the C++ API:
//
//   lexicon = quorvane.Lexicon.load_file("elder_folk.qrv")
//   for name in quorvane.Generator(lexicon, level=2, seed=42): ...
//   quorvane.name_for(lexicon, "npc-42", world_seed=7, level=2)
//   quorvane.score(lexicon, "Aldrin").bits_per_letter
//   composer = quorvane.Composer.load_recipe("full_names.recipe", unique=True)
//   for name, parts in quorvane.ComposedGenerator(composer, seed=42): ...   # parts: {"given": ...}
//   composer.name_for("npc-42", world_seed=7)
//
// The library's failures become Python exceptions with its message: quorvane.Error for a Chapter
// or a recipe that does not load, ValueError for options that cannot make names from the Chapter.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <algorithm>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "quorvane/composer.h"
#include "quorvane/lexicon.h"

namespace py = pybind11;

namespace {

// The Options of the keyword arguments; every keyword is optional and means what the field does.
quorvane::Options OptionsOf(const py::kwargs& given) {
  quorvane::Options options;
  const auto take = [&given](const char* key, auto& field) {
    if (given.contains(key)) field = given[key].cast<std::decay_t<decltype(field)>>();
  };
  take("level", options.level);
  take("validation", options.validation);
  take("structural", options.structural);
  take("statistical", options.statistical);
  take("prefixes", options.prefixes);
  take("suffixes", options.suffixes);
  take("automatic", options.automatic);
  take("initial", options.initial);
  take("unique", options.unique);
  take("novel", options.novel);
  take("min_length", options.min_length);
  take("max_length", options.max_length);
  take("starts_with", options.starts_with);
  take("ends_with", options.ends_with);
  take("contains", options.contains);
  if (given.contains("exclude")) {
    const py::handle exclude = given["exclude"];
    options.exclude = py::isinstance<py::str>(exclude)
                          ? std::vector<std::string>{exclude.cast<std::string>()}
                          : exclude.cast<std::vector<std::string>>();
  }
  for (const auto& item : given) {
    static const char* const kKnown[] = {"level",       "validation", "structural", "statistical",
                                         "prefixes",    "suffixes",   "automatic",  "initial",
                                         "unique",      "novel",      "min_length", "max_length",
                                         "starts_with", "ends_with",  "contains",   "exclude"};
    const std::string key = item.first.cast<std::string>();
    if (std::find(std::begin(kKnown), std::end(kKnown), key) == std::end(kKnown)) {
      throw py::type_error("unexpected keyword argument '" + key + "'");
    }
  }
  return options;
}

// `options` checked against the Chapter, or ValueError with the reason.
quorvane::Options Usable(const quorvane::Lexicon& lexicon, quorvane::Options options) {
  if (const quorvane::Result<void> usable = quorvane::CheckOptions(lexicon, options); !usable) {
    throw py::value_error(usable.error().message);
  }
  return options;
}

quorvane::Lexicon Loaded(quorvane::Result<quorvane::Lexicon> loaded, const py::object& error) {
  if (!loaded) {
    PyErr_SetString(error.ptr(), loaded.error().message.c_str());
    throw py::error_already_set();
  }
  return std::move(*loaded);
}

}  // namespace

PYBIND11_MODULE(quorvane, module) {
  module.doc() = "The Quorvane Lexicon: names that sound like a Chapter's seed names";
  static py::exception<std::runtime_error> error(module, "Error");

  py::class_<quorvane::Lexicon>(module, "Lexicon", "A loaded Chapter; immutable, share it freely")
      .def_static(
          "load_file",
          [](const std::string& path) { return Loaded(quorvane::Lexicon::LoadFile(path), error); },
          py::arg("path"), "Reads and loads a Chapter file; quorvane.Error when it does not load")
      .def_static(
          "load_bytes",
          [](const py::bytes& data) {
            return Loaded(quorvane::Lexicon::Load(std::string(data)), error);
          },
          py::arg("data"), "Loads a Chapter file's bytes")
      .def_property_readonly("title", &quorvane::Lexicon::Title)
      .def_property_readonly("name_count", &quorvane::Lexicon::NameCount)
      .def_property_readonly("vowel_element_count", &quorvane::Lexicon::VowelElementCount)
      .def_property_readonly("consonant_element_count", &quorvane::Lexicon::ConsonantElementCount)
      .def_property_readonly("max_elements_per_name", &quorvane::Lexicon::MaxElementsPerName);

  py::class_<quorvane::Generator>(module, "Generator",
                                  "An iterator of names; it ends when no name was found in 20000 "
                                  "attempts")
      .def(py::init(
               [](const quorvane::Lexicon& lexicon, std::uint32_t seed, const py::kwargs& options) {
                 return quorvane::Generator(lexicon, Usable(lexicon, OptionsOf(options)), seed);
               }),
           py::arg("lexicon"), py::kw_only(), py::arg("seed") = 0)
      .def("__iter__",
           [](quorvane::Generator& generator) -> quorvane::Generator& { return generator; })
      // The interpreter's lock stays held: two Python threads cannot step one Generator at once.
      .def("__next__", [](quorvane::Generator& generator) {
        std::optional<std::string> name = generator.Next();
        if (!name) throw py::stop_iteration();
        return *name;
      });

  module.def(
      "name_for",
      [](const quorvane::Lexicon& lexicon, const std::string& key, std::uint64_t world_seed,
         const py::kwargs& options) -> std::optional<std::string> {
        const quorvane::Options usable = Usable(lexicon, OptionsOf(options));
        // A name by key touches nothing but the immutable Lexicon: other threads may run.
        py::gil_scoped_release unlocked;
        std::string name = quorvane::NameFor(lexicon, usable, world_seed, key);
        if (name.empty()) return std::nullopt;
        return name;
      },
      py::arg("lexicon"), py::arg("key"), py::kw_only(), py::arg("world_seed") = 0,
      "The name of key in the world world_seed: the same on every machine; None when no name "
      "was found");

  py::class_<quorvane::NameScore>(module, "NameScore",
                                  "How typical a name is of the seed names (lower bits: more)")
      .def_readonly("bits_per_letter", &quorvane::NameScore::bits_per_letter)
      .def_readonly("typical_bar", &quorvane::NameScore::typical_bar)
      .def_readonly("typical", &quorvane::NameScore::typical)
      .def_readonly("nearest_seed", &quorvane::NameScore::nearest_seed)
      .def_readonly("edit_distance", &quorvane::NameScore::edit_distance);
  module.def(
      "score",
      [](const quorvane::Lexicon& lexicon, const std::string& name) {
        quorvane::Result<quorvane::NameScore> scored = quorvane::Score(lexicon, name);
        if (!scored) throw py::value_error(scored.error().message);
        return std::move(*scored);
      },
      py::arg("lexicon"), py::arg("name"),
      "The name's bits per letter under the seeds' letter model, whether it is typical, and the "
      "nearest seed name with its edit distance; ValueError when Windows-1252 cannot hold it");
  py::class_<quorvane::Composer>(module, "Composer",
                                 "A recipe's parts and templates over loaded Chapters; immutable")
      .def_static(
          "load_recipe",
          [](const std::string& path, const py::kwargs& filters) {
            quorvane::Result<quorvane::Composer> loaded =
                quorvane::Composer::LoadRecipe(path, OptionsOf(filters));
            if (!loaded) {
              PyErr_SetString(error.ptr(), loaded.error().message.c_str());
              throw py::error_already_set();
            }
            return std::move(*loaded);
          },
          py::arg("path"),
          "Reads a recipe and loads its Chapters; the keywords are the filters of the whole "
          "names; quorvane.Error when it does not load")
      .def_property_readonly("title", &quorvane::Composer::Title)
      .def_property_readonly("part_names",
                             [](const quorvane::Composer& composer) {
                               std::vector<std::string> names;
                               for (const auto& part : composer.recipe().parts) {
                                 names.push_back(part.name);
                               }
                               return names;
                             })
      .def(
          "name_for",
          [](const quorvane::Composer& composer, const std::string& key,
             std::uint64_t world_seed) -> std::optional<std::string> {
            py::gil_scoped_release unlocked;
            std::optional<quorvane::ComposedName> name =
                quorvane::NameFor(composer, world_seed, key);
            if (!name) return std::nullopt;
            return std::move(name->name);
          },
          py::arg("key"), py::kw_only(), py::arg("world_seed") = 0,
          "The whole name of key in the world world_seed; None when no name was found");

  py::class_<quorvane::ComposedGenerator>(
      module, "ComposedGenerator",
      "An iterator of whole names, each with its parts: (name, {part: name})")
      .def(py::init([](const quorvane::Composer& composer, std::uint32_t seed) {
             return quorvane::ComposedGenerator(composer, seed);
           }),
           py::arg("composer"), py::kw_only(), py::arg("seed") = 0)
      .def("__iter__",
           [](quorvane::ComposedGenerator& generator) -> quorvane::ComposedGenerator& {
             return generator;
           })
      .def("__next__", [](quorvane::ComposedGenerator& generator) {
        std::optional<quorvane::ComposedName> name = generator.Next();
        if (!name) throw py::stop_iteration();
        return py::make_tuple(name->name, py::dict(py::cast(name->parts)));
      });
}
