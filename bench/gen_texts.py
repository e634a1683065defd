#!/usr/bin/env python3
"""Deterministic text pairs for the indexing benchmark.

Writes left.txt and right.txt of about SIZE bytes each (UTF-8, LF line
ends) into OUT_DIR, and page_01.htm: the two texts side by side in the
layout of the comparison page, as the page file for indexing would hold it.

Words follow a Zipf distribution over a vocabulary of ASCII and UTF-8
words; sentences start with a capital and end with punctuation; lines are
wrapped at varying widths, with empty lines between paragraphs.

usage: gen_texts.py SIZE OUT_DIR   (SIZE in bytes, or with k / m suffix)
"""
import bisect
import itertools
import os
import random
import sys

PUBLISHER = "http://www.textpair.example"
SYLLABLES = ["ka", "te", "ri", "mo", "an", "en", "st", "or", "la", "ne", "th", "in", "er", "ou", "is",
             "pro", "con", "ver", "ing", "tion", "al", "re", "de", "un", "ch", "sh", "qu", "wa", "ly", "ed"]
ACCENTED = ["\u00e4", "\u00f6", "\u00fc", "\u00e9", "\u00e8", "\u00df", "\u010d", "\u0161", "\u017e", "\u00f1"]
CYRILLIC = "\u0430\u0431\u0432\u0433\u0434\u0435\u0436\u0437\u0438\u043a\u043b\u043c\u043d\u043e\u043f\u0440\u0441\u0442\u0443"
SHORT = ["a", "of", "to", "in", "is", "it", "on", "as", "by", "at", "or", "an", "be", "we", "he", "12", "I"]


def make_vocabulary(rng, size):
    words, seen = [], set()
    words.extend(SHORT)
    seen.update(SHORT)
    while len(words) < size:
        kind = rng.random()
        if kind < 0.80:
            w = "".join(rng.choice(SYLLABLES) for _ in range(rng.choice([1, 2, 2, 3, 3, 3, 4, 5])))
        elif kind < 0.93:
            parts = [rng.choice(SYLLABLES) for _ in range(rng.choice([2, 3, 4]))]
            parts.insert(rng.randrange(len(parts) + 1), rng.choice(ACCENTED))
            w = "".join(parts)
        else:
            w = "".join(rng.choice(CYRILLIC) for _ in range(rng.randint(3, 10)))
        if w not in seen:
            seen.add(w)
            words.append(w)
    return words


def make_text(rng, vocab, cumulative, size):
    total = cumulative[-1]
    out, used = [], 0
    line, width = "", rng.randint(50, 110)
    para_left = rng.randint(3, 12)
    while used < size:
        n = rng.randint(5, 25)
        for i in range(n):
            w = vocab[bisect.bisect(cumulative, rng.random() * total)]
            if i == 0:
                w = w[:1].upper() + w[1:]
            elif rng.random() < 0.02:
                w = '"' + w + '"'
            elif rng.random() < 0.01:
                w = "(" + w + ")"
            if i == n - 1:
                w += rng.choice([".", ".", ".", "?", "!"])
            elif rng.random() < 0.08:
                w += ","
            candidate = (line + " " + w) if line else w
            if len(candidate.encode()) > width and line:
                out.append(line)
                used += len(line.encode()) + 1
                line, width = w, rng.randint(50, 110)
                para_left -= 1
                if para_left == 0:
                    out.append("")
                    used += 1
                    para_left = rng.randint(3, 12)
            else:
                line = candidate
    if line:
        out.append(line)
    return out


def page_lines(left, right):
    head = [
        "<HTML>", "<head>",
        '<meta http-equiv="content-type"  content="text/HTML; charset=utf-8">',
        "<title>", "compare.htm", "</title>", "</head>", "<body>", "<br>", "<br>",
        "<br> <b> PROMOTE YOUR BRAND WITH OUR PROGRAM </b>", "<br>",
        "<br> Our program are intended for companis who want to consolidate their brand through free distribution of the program.",
        "<br> Advertising messages and search links in the program are tailored to each customer individually.",
        "<br>", "<br> PLACEMENT OF ADVERTISING MESSAGES",
        "<br> The program reads advertising messages from the web address specified by the buyer when ordering.",
        "<br> Advertisement messages are placed in the all-words index and other output files.",
        "<br>", "<br> GOOGLE SEARCH PHRASES",
        "<br> The program generates Google search strings for all words in the all-words index and target the web address specified by the buyer when ordering.",
        "<br>",
        "<br> Remember: the all-words index file is accessible while reading output file, just by double-clicking on any word.",
        "<br> More info at:",
        '<br> <a href="' + PUBLISHER + '">' + PUBLISHER + "</a>",
        "<br>", "<br><br>",
        "<b>Just double-clicking on any word is enough to access the index of all words (full-text search).</b>",
        '<table style="width:100%">', "<tr>", "<td>",
    ]
    body = [" <br>" + l.strip(" ") for l in left] + ["</td>", "<td>"] + [" <br>" + l.strip(" ") for l in right]
    return head + body + ["</td>", "</tr>", "</table>", "<br>", "</body>", "</html>"]


def parse_size(text):
    text = text.lower()
    scale = {"k": 1000, "m": 1000 * 1000}.get(text[-1], 1)
    return int(text.rstrip("km")) * scale


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    size, out_dir = parse_size(sys.argv[1]), sys.argv[2]
    os.makedirs(out_dir, exist_ok=True)
    rng = random.Random(20240611)
    vocab = make_vocabulary(rng, 40000)
    cumulative = list(itertools.accumulate(1.0 / (r + 1) ** 1.07 for r in range(len(vocab))))
    left = make_text(random.Random(size * 2 + 1), vocab, cumulative, size)
    right = make_text(random.Random(size * 2 + 2), vocab, cumulative, size)
    for name, lines in (("left.txt", left), ("right.txt", right)):
        with open(os.path.join(out_dir, name), "w", encoding="utf-8", newline="\n") as f:
            f.write("\n".join(lines) + "\n")
    with open(os.path.join(out_dir, "page_01.htm"), "w", encoding="utf-8", newline="") as f:
        f.write("".join(l + "\r\n" for l in page_lines(left, right)))


if __name__ == "__main__":
    main()
