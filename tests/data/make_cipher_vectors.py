#!/usr/bin/env python3
"""Prints the known-answer vectors of the value cipher, computed independently
of the program with the OpenSSL command-line tool:

    printf '%s' MESSAGE | openssl enc -aes-256-cbc -K KEYHEX -iv 00000000000000000000000000000000

where MESSAGE is the hexadecimal MD5 of the plaintext's UTF-8 bytes (up to the
first zero byte) followed by those bytes, and KEYHEX is the first 32 UTF-8
bytes of the password doubled until it has at least 32 UTF-16 units.
Output: one line per case, "name<TAB>plaintext-utf8-hex<TAB>password-utf8-hex<TAB>cipher-hex".
"""
import hashlib
import subprocess

CASES = [
    ("empty plaintext", "", "secret"),
    ("16-byte plaintext", "0123456789abcdef", "secret"),
    ("password of 31 characters", "card 4111", "a" * 30 + "b"),
    ("password of 32 characters", "card 4111", "0123456789abcdefghijklmnopqrstuv"),
    ("password of 33 characters", "card 4111", "0123456789abcdefghijklmnopqrstuvw"),
    ("password of 1 character", "x", "k"),
    ("non-ASCII password cut inside a character", "Bank", "€пароль"),
    ("non-ASCII plaintext", "Пароль: ключ ✓", "master"),
    ("plaintext with U+0000", "ab\u0000cd", "master"),
    ("long plaintext", "The quick brown fox jumps over the lazy dog" * 3, "master"),
]


def units(text):
    return len(text.encode("utf-16-le")) // 2


def key_of(password):
    doubled = password
    while units(doubled) < 32:
        doubled += doubled
    return doubled.encode("utf-8")[:32]


def message_of(plaintext):
    data = plaintext.encode("utf-8")
    before_zero = data.split(b"\0", 1)[0]
    return hashlib.md5(before_zero).hexdigest().encode("ascii") + data


for name, plaintext, password in CASES:
    cipher = subprocess.run(
        ["openssl", "enc", "-aes-256-cbc", "-K", key_of(password).hex(), "-iv", "0" * 32],
        input=message_of(plaintext), capture_output=True, check=True).stdout
    print("\t".join([name, plaintext.encode("utf-8").hex(), password.encode("utf-8").hex(), cipher.hex()]))
