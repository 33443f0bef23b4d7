#!/usr/bin/python3
"""The strong (version 2) wallet format, computed independently of the program.

The key is Argon2id of the master password's UTF-8 bytes, made by the argon2
command-line tool (Debian package argon2):

    printf '%s' PASSWORD | argon2 SALT -id -t ITERATIONS -k MEMORY_KIB -p PARALLELISM -l 32 -r

A command line cannot carry a salt with a zero byte, nor one that starts with
"-" (about one random salt in fifteen); such a salt is given to the reference
library, which the tool is built on, through ctypes.
Each value is a 12-byte nonce, the AES-256-GCM ciphertext and the 16-byte tag,
made by Python's cryptography package (Debian package python3-cryptography):

    AESGCM(key).encrypt(nonce, plaintext_utf8, None)

Usage:
    format2.py vectors                 prints the known-answer vectors (two tables)
    format2.py write PATH PASSWORD     writes a new wallet with the sample content
    format2.py read PATH PASSWORD      prints every name and value of a wallet as JSON
"""
import ctypes
import ctypes.util
import json
import os
import sqlite3
import subprocess
import sys

from cryptography.hazmat.primitives.ciphers.aead import AESGCM

KEY_LENGTH = 32
NONCE_LENGTH = 12


def argon2id(password, salt, memory_kib, iterations, parallelism):
    # A salt that could be read as an option, or that holds a zero byte,
    # cannot be given on the command line.
    if b"\0" not in salt and not salt.startswith(b"-"):
        out = subprocess.run(
            ["argon2", salt, "-id", "-t", str(iterations), "-k", str(memory_kib),
             "-p", str(parallelism), "-l", str(KEY_LENGTH), "-r"],
            input=password.encode("utf-8"), capture_output=True, check=True).stdout
        return bytes.fromhex(out.decode("ascii").strip())
    library = ctypes.CDLL(ctypes.util.find_library("argon2") or "libargon2.so.1")
    library.argon2id_hash_raw.argtypes = [
        ctypes.c_uint32, ctypes.c_uint32, ctypes.c_uint32, ctypes.c_char_p, ctypes.c_size_t,
        ctypes.c_char_p, ctypes.c_size_t, ctypes.c_char_p, ctypes.c_size_t]
    key = ctypes.create_string_buffer(KEY_LENGTH)
    data = password.encode("utf-8")
    if library.argon2id_hash_raw(iterations, memory_kib, parallelism, data, len(data), salt,
                                 len(salt), key, KEY_LENGTH) != 0:
        raise RuntimeError("argon2id_hash_raw failed")
    return key.raw


def seal(key, plaintext, nonce=None):
    nonce = nonce if nonce is not None else os.urandom(NONCE_LENGTH)
    return nonce + AESGCM(key).encrypt(nonce, plaintext.encode("utf-8"), None)


def unseal(key, value):
    return AESGCM(key).decrypt(value[:NONCE_LENGTH], value[NONCE_LENGTH:], None).decode("utf-8")


ARGON2_CASES = [
    ("default costs", "correct horse", b"kelvaron-salt-01", 65536, 3, 2),
    ("smallest memory", "correct horse", b"kelvaron-salt-01", 8192, 1, 1),
    ("other salt", "correct horse", b"kelvaron-salt-02", 8192, 1, 1),
    ("non-ASCII password", "пароль €", b"0123456789abcdef", 8192, 2, 4),
    ("one-character password", "k", b"0123456789abcdef", 8192, 1, 1),
]

GCM_CASES = [
    ("empty plaintext", ""),
    ("one block", "0123456789abcdef"),
    ("non-ASCII plaintext", "Пароль: ключ ✓"),
    ("plaintext with U+0000", "ab\u0000cd"),
    ("long plaintext", "The quick brown fox jumps over the lazy dog" * 3),
]


def print_vectors():
    print("# argon2: name, password-utf8-hex, salt-hex, memory KiB, iterations, parallelism, key-hex")
    for name, password, salt, memory, iterations, parallelism in ARGON2_CASES:
        key = argon2id(password, salt, memory, iterations, parallelism)
        print("\t".join(["argon2", name, password.encode("utf-8").hex(), salt.hex(), str(memory),
                         str(iterations), str(parallelism), key.hex()]))
    print("# gcm: name, key-hex, plaintext-utf8-hex, value-hex")
    key = bytes(range(KEY_LENGTH))
    for index, (name, plaintext) in enumerate(GCM_CASES):
        nonce = bytes([index + 1] * NONCE_LENGTH)
        print("\t".join(["gcm", name, key.hex(), plaintext.encode("utf-8").hex(),
                         seal(key, plaintext, nonce).hex()]))


SCHEMA = [
    "CREATE TABLE kelvaron_properties ( database_id      CHAR(32) PRIMARY KEY  NOT NULL ,   "
    "lang             CHAR(2) NOT NULL ,   version          CHAR(10),    email            "
    "CHAR(200),   sync_timestamp   DATETIME,    update_timestamp DATETIME)  ",
    "CREATE TABLE kelvaron_labels ( field_type       CHAR(4) PRIMARY KEY  NOT NULL  ,   "
    "label_name       VARCHAR(255),        value_type       VARCHAR(10),         icon          "
    "   CHAR(48),            system           BOOL DEFAULT 0,      change_timestamp DATETIME, "
    "           deleted          BOOL DEFAULT 0)    ",
    "CREATE TABLE kelvaron_fields ( item_id          CHAR(8) NOT NULL ,   field_id         "
    "CHAR(4) NOT NULL ,   type             CHAR(4),   value            BLOB,   "
    "change_timestamp DATETIME,   deleted          BOOL DEFAULT 0,   sort_weight      INTEGER, "
    "PRIMARY KEY (item_id,field_id) )",
    "CREATE TABLE kelvaron_items ( item_id          CHAR(8) PRIMARY KEY  NOT NULL ,   "
    "parent_id        CHAR(8),    name             BLOB,       icon             CHAR(48),   "
    "field_id         CHAR(4),    folder           BOOL,       create_timestamp DATETIME,   "
    "change_timestamp DATETIME,   deleted          BOOL DEFAULT 0)",
    "CREATE INDEX tree_idx1 ON kelvaron_items(parent_id)",
    "ALTER TABLE kelvaron_properties ADD COLUMN kdf CHAR(16)",
    "ALTER TABLE kelvaron_properties ADD COLUMN kdf_salt BLOB",
    "ALTER TABLE kelvaron_properties ADD COLUMN kdf_memory INTEGER",
    "ALTER TABLE kelvaron_properties ADD COLUMN kdf_iterations INTEGER",
    "ALTER TABLE kelvaron_properties ADD COLUMN kdf_parallelism INTEGER",
]

LABELS = [("USER", "User name", "text", "labelman"), ("PASS", "Password", "pass", "labelpass"),
          ("NOTE", "Note", "text", "labeldoc"), ("LINK", "Web page", "link", "labelworld")]

# (item id, parent id, name, folder, fields as (field id, type, value))
CONTENT = [
    ("__ROOT__", "", "root check text", True, []),
    ("F0000001", "__ROOT__", "Web sites", True, []),
    ("I0000001", "F0000001", "Forum", False,
     [("0001", "USER", "heron"), ("0002", "PASS", "p@ss, \"quoted\" ✓"),
      ("0003", "LINK", "https://example.org/")]),
    ("I0000002", "__ROOT__", "Заметка", False,
     [("0001", "NOTE", "first line\nsecond line"), ("0002", "NOTE", "")]),
]


def write_wallet(path, password):
    salt = os.urandom(16)
    memory, iterations, parallelism = 65536, 3, 2
    key = argon2id(password, salt, memory, iterations, parallelism)
    now = "2026-01-02 03:04:05"
    with sqlite3.connect(path) as db:
        for statement in SCHEMA:
            db.execute(statement)
        db.execute("INSERT INTO kelvaron_properties (database_id, lang, version, update_timestamp,"
                   " kdf, kdf_salt, kdf_memory, kdf_iterations, kdf_parallelism) "
                   "VALUES (?, 'en', '2', ?, 'argon2id', ?, ?, ?, ?)",
                   ("0123456789abcdef0123456789abcdef", now, salt, memory, iterations,
                    parallelism))
        for code, name, value_type, icon in LABELS:
            db.execute("INSERT INTO kelvaron_labels VALUES (?, ?, ?, ?, 1, ?, 0)",
                       (code, name, value_type, icon, now))
        for item_id, parent, name, folder, fields in CONTENT:
            db.execute("INSERT INTO kelvaron_items VALUES (?, ?, ?, ?, '', ?, ?, ?, 0)",
                       (item_id, parent, seal(key, name), "folder" if folder else "document",
                        1 if folder else 0, now, now))
            for weight, (field_id, field_type, value) in enumerate(fields):
                db.execute("INSERT INTO kelvaron_fields VALUES (?, ?, ?, ?, ?, 0, ?)",
                           (item_id, field_id, field_type, seal(key, value), now,
                            100 * (weight + 1)))
    os.chmod(path, 0o600)


def read_wallet(path, password):
    with sqlite3.connect(path) as db:
        version, kdf, salt, memory, iterations, parallelism = db.execute(
            "SELECT version, kdf, kdf_salt, kdf_memory, kdf_iterations, kdf_parallelism "
            "FROM kelvaron_properties").fetchone()
        if str(version) != "2" or kdf != "argon2id":
            raise SystemExit("not a version-2 wallet")
        key = argon2id(password, salt, memory, iterations, parallelism)
        names = {item_id: unseal(key, name) for item_id, name in
                 db.execute("SELECT item_id, name FROM kelvaron_items")}
        values = {item_id + "/" + field_id: unseal(key, value) for item_id, field_id, value in
                  db.execute("SELECT item_id, field_id, value FROM kelvaron_fields")}
    print(json.dumps({"names": names, "values": values}, ensure_ascii=False, sort_keys=True))


if __name__ == "__main__":
    command = sys.argv[1] if len(sys.argv) > 1 else ""
    if command == "vectors":
        print_vectors()
    elif command == "write" and len(sys.argv) == 4:
        write_wallet(sys.argv[2], sys.argv[3])
    elif command == "read" and len(sys.argv) == 4:
        read_wallet(sys.argv[2], sys.argv[3])
    else:
        raise SystemExit(__doc__)
