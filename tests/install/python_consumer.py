# A game in Python over the installed module: five names from generator seed 42, then the name of
# the key "npc-42" in world 7, one per line; a Chapter that does not load raises an exception
# with the loader's message. The marked lines are the README's example, word for word
# (tests/install/check_consumer.sh).
import sys

# README:begin
import quorvane
# README:end

path = sys.argv[1]
# README:begin
lexicon = quorvane.Lexicon.load_file(path)  # quorvane.Error with the message when it fails
generator = quorvane.Generator(lexicon, level=2, seed=42)
# README:end
for _, name in zip(range(5), generator):
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
