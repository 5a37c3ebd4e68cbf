#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""An FTP server for the network tests: the update server of tools/serve_updates.py on a free
loopback port, serving a test's own directory, with faults a test can ask for.

Prints "READY <port>" once it listens and "CMD <command line>" for every command it gets;
ends when its standard input closes, so it never outlives the test.
"""

import argparse
import logging
import os
import sys
import threading

from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler

MULTI_LINE_BANNER = ("Welcome to the Zonewright test server, which greets in several lines.\r\n"
                     "    Files are served from the test's own directory.\r\n"
                     "220-One more line before the end of the greeting.")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--root", required=True)
    parser.add_argument("--tools", required=True)
    parser.add_argument("--password")
    parser.add_argument("--multi-line-banner", action="store_true")
    parser.add_argument("--stall-retr", action="store_true",
                        help="answer RETR but never open the data connection")
    parser.add_argument("--stall-type", action="store_true",
                        help="never answer TYPE")
    parser.add_argument("--throttle", type=int, default=0,
                        help="send file data at most this many bytes a second")
    parser.add_argument("--refuse-passive", action="store_true",
                        help="refuse EPSV and PASV, so only active mode works")
    parser.add_argument("--hang-up-in-retr", action="store_true",
                        help="drop the connection soon after the transfer starts")
    parser.add_argument("--host", default="127.0.0.1")
    args = parser.parse_args()

    sys.path.insert(0, args.tools)
    import serve_updates
    serve_updates.HOST = args.host

    logging.basicConfig(level=logging.ERROR)

    class TestHandler(FTPHandler):
        # A wrong password is answered at once, not after the usual pause.
        auth_failed_timeout = 0
        if args.multi_line_banner:
            banner = MULTI_LINE_BANNER

        def pre_process_command(self, line, cmd, arg):
            print("CMD " + line, flush=True)
            super().pre_process_command(line, cmd, arg)

        if args.stall_retr:
            def ftp_RETR(self, file):
                self.respond("150 File status okay. About to open data connection.")

        if args.stall_type:
            def ftp_TYPE(self, line):
                pass

        if args.refuse_passive:
            def ftp_EPSV(self, line):
                self.respond("502 Command not implemented.")

            def ftp_PASV(self, line):
                self.respond("502 Command not implemented.")

        if args.hang_up_in_retr:
            def ftp_RETR(self, file):
                super().ftp_RETR(file)
                self.ioloop.call_later(0.3, self.close)

    if args.throttle:
        class SlowData(ThrottledDTPHandler):
            write_limit = args.throttle
            ac_out_buffer_size = 1024
        TestHandler.dtp_handler = SlowData

    password = args.password or serve_updates.PASSWORD
    server = serve_updates.make_server(os.path.realpath(args.root), 0, TestHandler, password)
    print("READY %d" % server.socket.getsockname()[1], flush=True)

    def end_with_stdin():
        sys.stdin.read()
        os._exit(0)

    threading.Thread(target=end_with_stdin, daemon=True).start()
    server.serve_forever()


if __name__ == "__main__":
    main()
