#!/usr/bin/env python3
"""A small web server for the updater's tests.

Usage: fixture_server.py ROOT LOG [PORT]

Serves the files under ROOT on a free port of 127.0.0.1 (or on PORT) and prints the port on its first
line of output. Each request's line and headers go to LOG as one JSON object per line.
The first part of a path can ask for an odd answer for the rest of it:

  /404/...         answers 404
  /redirect/...    answers 302 with Location: /...
  /nolength/...    serves the file without Content-Length
  /longer/...      announces 100 bytes more than the file has
  /shorter/...     announces one byte less than the file has
  /slow/...        sends the file in small blocks with pauses
  /keepopen/...    keeps the connection open for 5 s after the whole file
"""
import json
import os
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

ROOT, LOG = sys.argv[1], sys.argv[2]
log_lock = threading.Lock()


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.0"

    def log_message(self, *args):
        pass

    def record(self):
        entry = {"line": self.requestline, "headers": {k: v for k, v in self.headers.items()}}
        with log_lock, open(LOG, "a", encoding="utf-8") as f:
            f.write(json.dumps(entry) + "\n")

    def do_GET(self):
        self.record()
        path = self.path.split("?", 1)[0]
        mode, _, rest = path.lstrip("/").partition("/")
        if mode not in ("404", "redirect", "nolength", "longer", "shorter", "slow", "keepopen"):
            mode, rest = "", path.lstrip("/")

        if mode == "404":
            return self.answer(404, b"not here")
        if mode == "redirect":
            self.send_response(302)
            self.send_header("Location", "/" + rest)
            self.end_headers()
            return
        file = os.path.normpath(os.path.join(ROOT, rest))
        if not file.startswith(os.path.normpath(ROOT)) or not os.path.isfile(file):
            return self.answer(404, b"not found")
        with open(file, "rb") as f:
            body = f.read()

        self.send_response(200)
        self.send_header("Content-Type", "text/html" if file.endswith(".htm") else "application/octet-stream")
        if mode == "longer":
            self.send_header("Content-Length", str(len(body) + 100))
        elif mode == "shorter":
            self.send_header("Content-Length", str(max(len(body) - 1, 0)))
        elif mode != "nolength":
            self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if mode == "slow":
            for i in range(0, len(body), 4096):
                self.wfile.write(body[i:i + 4096])
                self.wfile.flush()
                time.sleep(0.02)
        else:
            self.wfile.write(body)
        if mode == "keepopen":
            self.wfile.flush()
            time.sleep(5)

    def answer(self, status, body):
        self.send_response(status)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)


server = ThreadingHTTPServer(("127.0.0.1", int(sys.argv[3]) if len(sys.argv) > 3 else 0), Handler)
server.daemon_threads = True
print(server.server_address[1], flush=True)
server.serve_forever()
