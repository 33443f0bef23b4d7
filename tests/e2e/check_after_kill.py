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
import subprocess
import sys
import zipfile


def fail(message):
    print("FAILED: " + message)
    sys.exit(1)


def opened_by(password):
    """How many names and values open under password, and how many there are,
    read through the program's store in the wallet's own format."""
    out = subprocess.run([os.environ["E2E_WALLETTOOL"], "count", password], capture_output=True,
                         text=True, check=True).stdout.split()
    return int(out[0]), int(out[1])


def check_wallet(path, old, new):
    # Opening read-write lets SQLite roll back the journal of the killed write.
    db = sqlite3.connect(path)
    if db.execute("PRAGMA integrity_check").fetchone()[0] != "ok":
        fail("the wallet is damaged")
    db.close()
    for password in (old, new):
        opened, total = opened_by(password)
        if total > 0 and opened == total:
            print("wallet wholly under %r: %d rows" % (password, total))
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
