#!/usr/bin/env python3
"""Judges what a system said during the play of spoken_play.txt.

judge_speech.py PLAY RECORDED: RECORDED holds one sentence per line as
"KIND<TAB>SENTENCE" (passing or result), in the order the system was asked to
say them. It must begin with the play's sentences, in order, each once and of
its kind; what follows them (the way out of the game) is not judged. Exits 1
and names the first difference otherwise."""
import sys


def Play(path):
    expected = []
    for line in open(path, encoding="utf-8"):
        if line.strip() and not line.startswith("#"):
            _key, kind, sentence = line.rstrip("\n").split("\t")
            expected.append((kind, sentence))
    return expected


def Recorded(path):
    said = []
    for line in open(path, encoding="utf-8"):
        line = line.rstrip("\n")
        if line:
            kind, _, sentence = line.partition("\t")
            said.append((kind, sentence))
    return said


def main():
    expected = Play(sys.argv[1])
    said = Recorded(sys.argv[2])
    for index, (kind, sentence) in enumerate(expected):
        if index >= len(said):
            print(f"FAIL: nothing said after {index} sentence(s); expected: {kind}: {sentence}")
            return 1
        if said[index] != (kind, sentence):
            print(f"FAIL: sentence {index + 1} was {said[index][0]}: {said[index][1]!r}")
            print(f"      expected {kind}: {sentence!r}")
            return 1
    print(f"the {len(expected)} sentences of the play were said in order")
    return 0


if __name__ == "__main__":
    sys.exit(main())
