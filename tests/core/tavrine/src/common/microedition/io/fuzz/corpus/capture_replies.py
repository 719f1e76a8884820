#!/usr/bin/env python3
"""Captures raw HTTP replies of nginx and python's http.server on 127.0.0.1
into this folder, the seeds of the response-head fuzzer, and the bodies nginx
sends chunked into chunked/, the seeds of the body fuzzers (each after the two
bytes that choose its runs)."""
import os
import socket
import subprocess
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def fetch(port, request):
    for _ in range(50):
        try:
            with socket.create_connection(("127.0.0.1", port)) as s:
                s.sendall(request)
                s.shutdown(socket.SHUT_WR)
                reply = b""
                while chunk := s.recv(65536):
                    reply += chunk
                return reply
        except ConnectionRefusedError:
            time.sleep(0.1)
    raise RuntimeError("no server on %d" % port)


def get(path, extra=b""):
    return b"GET " + path + b" HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n" + extra + b"\r\n"


with tempfile.TemporaryDirectory() as root:
    os.makedirs(root + "/www/dir")
    with open(root + "/www/hello.txt", "w") as f:
        f.write("hello, world\n")
    os.makedirs(root + "/www/list")
    for i in range(40):
        open(root + "/www/list/file-%d.txt" % i, "w").close()
    port = free_port()
    with open(root + "/nginx.conf", "w") as f:
        f.write("daemon off;\nmaster_process off;\nuser root;\npid %s/nginx.pid;\nerror_log %s/error.log;\n"
                "events {}\nhttp {\n access_log off;\n client_body_temp_path %s/body;\n proxy_temp_path %s/p;\n"
                " fastcgi_temp_path %s/f;\n uwsgi_temp_path %s/u;\n scgi_temp_path %s/s;\n"
                " types { text/plain txt; }\n server {\n  listen 127.0.0.1:%d;\n  root %s/www;\n"
                "  location /list/ { autoindex on; }\n  location /gz/ { alias %s/www/; gzip on; gzip_min_length 1;"
                " gzip_types text/plain; }\n }\n}\n" % ((root,) * 7 + (port, root, root)))
    nginx = subprocess.Popen(["nginx", "-p", root, "-c", root + "/nginx.conf", "-e", root + "/error.log"])
    try:
        replies = {
            "nginx_200.bin": fetch(port, get(b"/hello.txt")),
            "nginx_404.bin": fetch(port, get(b"/missing")),
            "nginx_301.bin": fetch(port, get(b"/dir")),
            "nginx_400.bin": fetch(port, b"BROKEN\r\n\r\n"),
        }
        chunked = {
            "nginx_listing.bin": fetch(port, get(b"/list/")),
            "nginx_gzip.bin": fetch(port, get(b"/gz/hello.txt", b"Accept-Encoding: gzip\r\n")),
        }
    finally:
        nginx.terminate()
        nginx.wait()
    port = free_port()
    server = subprocess.Popen(["python3", "-m", "http.server", str(port), "--bind", "127.0.0.1", "--directory",
                               root + "/www"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        replies["python_200.bin"] = fetch(port, get(b"/hello.txt"))
        replies["python_404.bin"] = fetch(port, get(b"/missing"))
    finally:
        server.terminate()
        server.wait()
for name, reply in replies.items():
    with open(os.path.join(HERE, name), "wb") as f:
        f.write(reply)
os.makedirs(os.path.join(HERE, "chunked"), exist_ok=True)
for name, reply in chunked.items():
    head, _, body = reply.partition(b"\r\n\r\n")
    if b"chunked" not in head.lower():
        raise RuntimeError(name + " was not sent chunked")
    for prefix in (b"\x00\x00", b"\x3f\x3f"):
        with open(os.path.join(HERE, "chunked", "%s_%02x.bin" % (name[:-4], prefix[0])), "wb") as f:
            f.write(prefix + body)
