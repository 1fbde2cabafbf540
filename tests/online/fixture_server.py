#!/usr/bin/env python3
"""A small web server for the on-line tests.

    fixture_server.py ROOT [PORT]

Serves the files under ROOT (the query is ignored), listening on 127.0.0.1 at PORT (0, the
default, picks a free one), and prints "PORT <n>" once it listens. Every request's line and
headers are appended to ROOT/requests.log, one JSON object a line, before it is answered.
A file "<path>.mode" beside a served path changes how that path answers:
    404 | 500            that status, no body
    redirect <where>     302 to <where>
    hang                 never answers
    slow <seconds>       sends the file one byte at a time, <seconds> apart
"""
import http.server
import json
import os
import sys
import threading
import urllib.parse

ROOT = os.path.abspath(sys.argv[1])
PORT = int(sys.argv[2]) if len(sys.argv) > 2 else 0
LOG_LOCK = threading.Lock()
STOP = threading.Event()
TYPES = {".txt": "text/plain", ".png": "image/png", ".html": "text/html", "": "text/html"}


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def record(self):
        entry = {"line": self.requestline, "headers": [[k, v] for k, v in self.headers.items()]}
        with LOG_LOCK, open(os.path.join(ROOT, "requests.log"), "a", encoding="utf-8") as log:
            log.write(json.dumps(entry) + "\n")

    def answer(self, status, body=b"", extra=()):
        self.send_response(status)
        for name, value in extra:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        self.record()
        path = os.path.normpath(os.path.join(ROOT, urllib.parse.urlsplit(self.path).path.lstrip("/")))
        if not path.startswith(ROOT + os.sep):
            return self.answer(404)
        mode = ""
        if os.path.isfile(path + ".mode"):
            with open(path + ".mode", encoding="utf-8") as f:
                mode = f.read().strip()
        word, _, argument = mode.partition(" ")
        if word in ("404", "500"):
            return self.answer(int(word))
        if word == "redirect":
            return self.answer(302, extra=[("Location", argument)])
        if word == "hang":
            STOP.wait()
            return
        if not os.path.isfile(path):
            return self.answer(404)
        with open(path, "rb") as f:
            body = f.read()
        kind = TYPES.get(os.path.splitext(path)[1], "application/octet-stream")
        if word == "slow":
            self.send_response(200)
            self.send_header("Content-Type", kind)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            for i in range(len(body)):
                self.wfile.write(body[i:i + 1])
                self.wfile.flush()
                if STOP.wait(float(argument)):
                    return
            return
        self.answer(200, body, [("Content-Type", kind)])


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True

    def handle_error(self, request, client_address):
        pass  # a client that gave up (a time-out, a cap) is not our failure


server = Server(("127.0.0.1", PORT), Handler)
print("PORT %d" % server.server_address[1], flush=True)
try:
    server.serve_forever()
finally:
    STOP.set()
