#!/usr/bin/env python3
"""Checks the wallet and backups left by the end-to-end session: the item
"Read me" has a generated password field that deciphers under the final
master password (independently of the program: the OpenSSL command-line tool
for the original format, tests/data/format2.py for the strong one), the
copied text is that password, nothing is stored in clear, and the backup
folder holds a manual backup and a safety backup."""
import glob
import hashlib
import os
import sqlite3
import subprocess
import sys
import zipfile

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data"))
import format2  # noqa: E402

def key_of(secret):
    doubled = secret
    while len(doubled.encode("utf-16-le")) // 2 < 32:
        doubled += doubled
    return doubled.encode("utf-8")[:32]


def decipher(blob, secret):
    plain = subprocess.run(["openssl", "enc", "-d", "-aes-256-cbc", "-K", key_of(secret).hex(),
                            "-iv", "0" * 32], input=blob, capture_output=True)
    if plain.returncode != 0:
        return None
    text = plain.stdout
    checksum, value = text[:32].decode("ascii", "replace"), text[32:]
    if hashlib.md5(value.split(b"\0")[0]).hexdigest() != checksum:
        return None
    return value.decode("utf-8")


def decipherer(db, secret):
    """The function that deciphers a value of the wallet db under secret, in
    the format its properties row says."""
    row = db.execute("SELECT * FROM kelvaron_properties").fetchone()
    columns = [d[0] for d in db.execute("SELECT * FROM kelvaron_properties").description]
    properties = dict(zip(columns, row))
    if str(properties["version"]).strip() != "2":
        return lambda blob: decipher(blob, secret)
    key = format2.argon2id(secret, bytes(properties["kdf_salt"]), properties["kdf_memory"],
                           properties["kdf_iterations"], properties["kdf_parallelism"])

    def open_value(blob):
        try:
            return format2.unseal(key, blob)
        except Exception:
            return None
    return open_value


def fail(message):
    print("FAILED: " + message)
    sys.exit(1)


def main(wallet, backups, password, clipboard):
    db = sqlite3.connect(wallet)
    if str(db.execute("SELECT version FROM kelvaron_properties").fetchone()[0]).strip() != "2":
        fail("the first start did not make a strongly protected wallet")
    open_value = decipherer(db, password)
    names = {item_id: open_value(bytes(name))
             for item_id, name in db.execute("SELECT item_id, name FROM kelvaron_items WHERE deleted=0")}
    if any(value is None for value in names.values()):
        fail("an item name does not decipher under the final master password")
    read_me = [item_id for item_id, name in names.items() if name == "Read me"]
    if len(read_me) != 1:
        fail("no item Read me: %r" % sorted(names.values()))
    parent = db.execute("SELECT parent_id FROM kelvaron_items WHERE item_id=?", read_me).fetchone()[0]
    if names.get(parent) != "Banking":
        fail("Read me was not dragged into Banking: its parent is %r" % names.get(parent, parent))
    fields = db.execute("SELECT type, value FROM kelvaron_fields WHERE item_id=? AND deleted=0",
                        (read_me[0],)).fetchall()
    passwords = [open_value(bytes(value)) for kind, value in fields if kind == "PASS"]
    if len(passwords) != 1 or passwords[0] is None or len(passwords[0]) != 8 or not passwords[0].isalnum():
        fail("expected one generated 8-character password field, found %r" % passwords)
    with open(clipboard, encoding="utf-8") as f:
        if f.read() != passwords[0]:
            fail("the clipboard did not hold the generated password")
    with open(wallet, "rb") as f:
        if b"Read me" in f.read():
            fail("a name is stored in clear")
    manual = glob.glob(os.path.join(backups, "kvrb-*-manual.zip"))
    safety = glob.glob(os.path.join(backups, "kvrb-*-restore.zip"))
    if len(manual) != 1 or len(safety) != 1:
        fail("expected one manual and one safety backup, found %r" % os.listdir(backups))
    for archive in manual + safety:
        with zipfile.ZipFile(archive) as z:
            if z.namelist() != ["kelvaron.dat"] or z.testzip() is not None:
                fail("bad backup " + archive)
    print("end-to-end session checked: password field, clipboard, lock, change of password, backup, "
          "restore, drag and drop")


if __name__ == "__main__":
    main(*sys.argv[1:5])
