# A game in Python over the installed module: five names from generator seed 42, then the name of
# the key "npc-42" in world 7, one per line; a Chapter that does not load raises an exception
# with the loader's message. The marked lines are the README's example, word for word
# (tests/install/check_consumer.sh). With the installed qorv in $QORV, the scores and the whole
# names of a sample recipe must also be the ones qorv gives.
import json
import os
import subprocess
import sys

# README:begin
import quorvane
# README:end

path = sys.argv[1]
# README:begin
lexicon = quorvane.Lexicon.load_file(path)  # quorvane.Error with the message when it fails
generator = quorvane.Generator(lexicon, level=2, seed=42)
# README:end
names = [name for _, name in zip(range(5), generator)]
for name in names:
    print(name)
# README:begin
print(quorvane.name_for(lexicon, "npc-42", world_seed=7, level=2))
# README:end

try:
    quorvane.Lexicon.load_file(path + ".missing")
    sys.exit("a missing Chapter loaded")
except quorvane.Error as error:
    if "Couldn't open file" not in str(error):
        sys.exit("unexpected message: " + str(error))
try:
    quorvane.Generator(lexicon, level=7)
    sys.exit("level 7 made a generator")
except ValueError as error:
    if str(error) != "level must be 0 to 3: 7":
        sys.exit("unexpected message: " + str(error))

qorv = os.environ.get("QORV")
if qorv:
    def qorv_lines(*args):
        run = subprocess.run([qorv, "generate", *args], capture_output=True, text=True, check=True)
        return run.stdout.splitlines()

    first = qorv_lines(path, "-g", "2", "--seed", "42", "-n", "1", "--format", "json")[0]
    scored = json.loads(first)
    score = quorvane.score(lexicon, names[0])
    if (scored["name"], scored["nearest_seed"], scored["edit_distance"]) != (
            names[0], score.nearest_seed, score.edit_distance) or \
            abs(scored["typicality"] - score.bits_per_letter) > 0.005:
        sys.exit("quorvane.score differs from qorv: %s against %s, %.3f"
                 % (first, score.nearest_seed, score.bits_per_letter))
    recipe = os.path.join(os.path.dirname(path), "full_names.recipe")
    composer = quorvane.Composer.load_recipe(recipe)
    whole = composer.name_for("npc-42", world_seed=7)
    if whole != qorv_lines(recipe, "--key", "npc-42", "--world-seed", "7")[0]:
        sys.exit("Composer.name_for differs from qorv: " + whole)
    generator = quorvane.ComposedGenerator(composer, seed=42)
    made = [name for _, (name, parts) in zip(range(3), generator)]
    if made != qorv_lines(recipe, "--seed", "42", "-n", "3"):
        sys.exit("ComposedGenerator differs from qorv: %s" % made)
