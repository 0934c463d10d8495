#!/usr/bin/env python3
"""Prints player/core/crypto/portable/BlowfishPiWords.cpp: the Blowfish start values,
the first 1042 32-bit words of the hexadecimal fraction of pi (Machin's formula)."""

WORDS = 1042


def arctan_inverse(x, one):
    total = term = one // x
    n, sign = 1, 1
    while term:
        term //= x * x
        n += 2
        sign = -sign
        total += sign * (term // n)
    return total


def pi_words():
    digits = WORDS * 8
    guard = 64
    one = 1 << (digits * 4 + guard)
    pi = 4 * (4 * arctan_inverse(5, one) - arctan_inverse(239, one))
    text = format((pi - 3 * one) >> guard, "x").rjust(digits, "0")
    return [text[i * 8:(i + 1) * 8].upper() for i in range(WORDS)]


def rows(words, indent):
    return ["%s%s" % (indent, " ".join("0x%s," % w for w in words[i:i + 6])) for i in range(0, len(words), 6)]


def main():
    words = pi_words()
    lines = [
        "// Blowfish start values: the first 8336 hexadecimal digits of the fraction of pi,",
        "// as 32-bit words (P-array first, then the four S-boxes). Made by tools/pi-hex-words.py.",
        '#include "crypto/portable/BlowfishCipher.h"',
        "",
        "const uint32_t CBlowfishCipher::kPiP[18] = {",
        *rows(words[:18], "    "),
        "};",
        "",
        "const uint32_t CBlowfishCipher::kPiS[4][256] = {",
    ]
    for box in range(4):
        lines += ["    {", *rows(words[18 + 256 * box:18 + 256 * (box + 1)], "        "), "    },"]
    lines.append("};")
    print("\n".join(lines))


if __name__ == "__main__":
    main()
