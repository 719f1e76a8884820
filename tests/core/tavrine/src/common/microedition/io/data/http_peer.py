"""Scripted HTTP peer on 127.0.0.1 for responses no real server gives on
demand. The request path names the answer; prints its port."""
import socket
import socketserver
import struct
import time

LONG_STATUS = b"HTTP/1.1 200 " + b"x" * 5000 + b"\r\nContent-Length: 2\r\n\r\nok"
HUGE_HEAD = b"HTTP/1.1 200 OK\r\n" + b"X-Filler: " + b"a" * 100 + b"\r\n" * 1 + \
    b"".join(b"X-Filler-%d: %s\r\n" % (i, b"a" * 100) for i in range(700)) + b"\r\n"
CHUNKED = [b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nhel",
           b"lo\r\n6;name=value\r\n wor", b"ld\r\n0\r\nX-Trailer: t\r\n\r\n"]

ANSWERS = {
    "/onepacket": [b"HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\nhello"],
    "/split": [b"HTTP/1.1 2", b"00 Fine", b" Day\r\nContent-Length: 3\r\n", b"\r\nabc"],
    "/lower": [b"http/1.1 200 OK\r\ncontent-type: text/x-lower\r\nX-Empty:\r\n"
               b"Content-Length:   12\r\nX-Spaced: \t v \r\n\r\nhello world!"],
    "/notfound": [b"HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n"],
    "/nocolon": [b"HTTP/1.1 200 OK\r\nNoColonHere\r\n\r\n"],
    "/leadingcolon": [b"HTTP/1.1 200 OK\r\n: value\r\n\r\n"],
    "/oneblank": [b"HTTP/1.1 200\r\n\r\n"],
    "/noblank": [b"HTTP/1.1\r\n\r\n"],
    "/short": [b"HT\r\n\r\n"],
    "/notanumber": [b"HTTP/1.1 abc OK\r\n\r\n"],
    "/nothttp": [b"SMTP/1.1 200 OK\r\n\r\n"],
    "/longstatus": [LONG_STATUS],
    "/hugehead": [HUGE_HEAD],
    "/chunked": CHUNKED,
    "/badchunk": [b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\nhello\r\n"],
    "/cutchunk": [b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\na\r\nhello"],
    "/resetchunk": [b"HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\na\r\nhello"],
    "/binary": [b"HTTP/1.1 200 OK\r\n\r\n\xff\x00\x80"],
    "/closeearly": [b"HTTP/1.1 200 OK\r\nContent-"],
    "/stall": [b"HTTP/1.1 20"],
    "/silent": [],
}
KEEP_OPEN = {"/stall", "/silent", "/chunked"}
# Answers ended by a reset (RST) instead of a close.
RESET = {"/resetchunk"}


def read_request(sock):
    data = b""
    while b"\r\n\r\n" not in data:
        more = sock.recv(4096)
        if not more:
            return data
        data += more
    head, _, body = data.partition(b"\r\n\r\n")
    length = 0
    for line in head.split(b"\r\n")[1:]:
        name, _, value = line.partition(b":")
        if name.strip().lower() == b"content-length":
            length = int(value)
    while len(body) < length:
        more = sock.recv(4096)
        if not more:
            break
        body += more
    return head + b"\r\n\r\n" + body


class Handler(socketserver.BaseRequestHandler):
    def handle(self):
        request = read_request(self.request)
        path = request.split(b" ")[1].decode() if request.count(b" ") >= 2 else ""
        if path == "/echo":
            self.request.sendall(b"HTTP/1.1 200 OK\r\nContent-Length: %d\r\n\r\n" % len(request) + request)
        for packet in ANSWERS.get(path, []):
            self.request.sendall(packet)
            time.sleep(0.02)
        if path in KEEP_OPEN:
            self.request.recv(1)
        if path in RESET:
            self.request.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
            self.request.close()
            return
        self.request.shutdown(socket.SHUT_WR)


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True


server = Server(("127.0.0.1", 0), Handler)
print(server.server_address[1], flush=True)
server.serve_forever()
