#!/usr/bin/env python3
"""Checks the files after the program was killed with SIGKILL.

  wallet PATH OLD NEW   every name and value deciphers under one and the same
                        password, OLD or NEW (never a mix); writes which one
                        to password.txt in $E2E_WORK
  backups FOLDER        every kvrb-*.zip in FOLDER is a complete archive
  clean FOLDER          no partial archive (.kvrb-*.part) is left in FOLDER
"""
import glob
import os
import sqlite3
import sys
import zipfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from check_wallet import decipher  # noqa: E402


def fail(message):
    print("FAILED: " + message)
    sys.exit(1)


def check_wallet(path, old, new):
    # Opening read-write lets SQLite roll back the journal of the killed write.
    db = sqlite3.connect(path)
    blobs = [bytes(row[0]) for row in db.execute("SELECT name FROM kelvaron_items")]
    blobs += [bytes(row[0]) for row in db.execute("SELECT value FROM kelvaron_fields")]
    if db.execute("PRAGMA integrity_check").fetchone()[0] != "ok":
        fail("the wallet is damaged")
    distinct = set(blobs)
    for password in (old, new):
        if all(decipher(blob, password) is not None for blob in distinct):
            print("wallet wholly under %r: %d rows" % (password, len(blobs)))
            with open(os.path.join(os.environ["E2E_WORK"], "password.txt"), "w",
                      encoding="utf-8") as f:
                f.write(password)
            return
    fail("the wallet is not wholly under one password")


def check_backups(folder):
    for archive in glob.glob(os.path.join(folder, "kvrb-*.zip")):
        try:
            with zipfile.ZipFile(archive) as z:
                if z.namelist() != ["kelvaron.dat"] or z.testzip() is not None:
                    fail("incomplete backup under a final name: " + archive)
        except zipfile.BadZipFile:
            fail("incomplete backup under a final name: " + archive)
    print("backups complete: %s" % sorted(os.listdir(folder)))


def check_clean(folder):
    left = glob.glob(os.path.join(folder, ".kvrb-*.part"))
    if left:
        fail("partial archives left: %r" % left)
    print("no partial archive left")


if __name__ == "__main__":
    command = sys.argv[1]
    if command == "wallet":
        check_wallet(*sys.argv[2:5])
    elif command == "backups":
        check_backups(sys.argv[2])
    else:
        check_clean(sys.argv[2])
