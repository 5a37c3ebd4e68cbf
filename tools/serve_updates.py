#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Serves the data files over FTP on this computer, as Zonewright's update server.

The clock's "Update Database..." fetches TIME_ZON.DAT, CURRENCY.DAT and MEASURE.DAT from
the directory in its settings, "127.0.0.1:2121/zonewright" unless the user changed it. This
script answers there: it serves the data/ directory of this tree (or the one given) as
/zonewright, read-only, to the program's fixed logon, on the loopback address only.

    tools/serve_updates.py [PORT] [--data DIRECTORY]

Needs Debian's python3-pyftpdlib (scripts/install-deps.sh installs it).
"""

import argparse
import logging
import os
import signal
import sys
import tempfile

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.filesystems import AbstractedFS
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer

USER = "znwright"
PASSWORD = "mqvorb"
DIRECTORY = "zonewright"
HOST = "127.0.0.1"
DEFAULT_PORT = 2121


def make_server(home, port, handler_base=FTPHandler, password=PASSWORD,
                allowed_roots=()):
    """An FTP server on the loopback address serving `home` read-only to the logon.

    allowed_roots: directories outside `home` that links inside it may lead to.
    """
    authorizer = DummyAuthorizer()
    authorizer.add_user(USER, password, home, perm="elr")

    roots = [os.path.realpath(root) for root in allowed_roots]

    class LinkedFS(AbstractedFS):
        def validpath(self, path):
            real = os.path.realpath(path)
            if any(real == root or real.startswith(root + os.sep) for root in roots):
                return True
            return super().validpath(path)

    handler = type("UpdateHandler", (handler_base,), {})
    handler.authorizer = authorizer
    handler.abstracted_fs = LinkedFS
    # The client gives an address on this computer for the data connection.
    handler.permit_foreign_addresses = False
    return FTPServer((HOST, port), handler)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("port", nargs="?", type=int, default=DEFAULT_PORT)
    parser.add_argument("--data", default=os.path.join(os.path.dirname(
        os.path.abspath(__file__)), os.pardir, "data"))
    args = parser.parse_args()

    data = os.path.realpath(args.data)
    if not os.path.isdir(data):
        sys.exit("no data directory: " + data)
    logging.basicConfig(level=logging.INFO, format="%(message)s")
    # Ending by a signal still removes the temporary home.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(0))
    with tempfile.TemporaryDirectory(prefix="zonewright-ftp-") as home:
        os.symlink(data, os.path.join(home, DIRECTORY))
        server = make_server(home, args.port, allowed_roots=[data])
        print("Serving %s as ftp://%s:%d/%s" % (data, HOST, args.port, DIRECTORY), flush=True)
        try:
            server.serve_forever()
        except KeyboardInterrupt:
            pass
        finally:
            server.close_all()


if __name__ == "__main__":
    main()
