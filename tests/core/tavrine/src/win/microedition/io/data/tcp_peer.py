"""TCP peers on 127.0.0.1 for the socket connection tests; prints its port."""
import socket
import socketserver
import sys
import time


class Echo(socketserver.BaseRequestHandler):
    def handle(self):
        while True:
            data = self.request.recv(4096)
            if not data:
                return
            self.request.sendall(data)


class GreetAndClose(socketserver.BaseRequestHandler):
    def handle(self):
        self.request.sendall(b"hello")
        self.request.shutdown(socket.SHUT_WR)
        self.request.close()


class AcceptAndClose(socketserver.BaseRequestHandler):
    def handle(self):
        self.request.close()


HANDLERS = {"echo": Echo, "greet-close": GreetAndClose, "accept-close": AcceptAndClose}


class Server(socketserver.ThreadingTCPServer):
    daemon_threads = True
    allow_reuse_address = True


def never_accept():
    """Listens with the smallest backlog and accepts nothing: once the
    queue is full, further connects stay pending."""
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.bind(("127.0.0.1", 0))
    listener.listen(0)
    print(listener.getsockname()[1], flush=True)
    while True:
        time.sleep(60)


def main():
    if sys.argv[1] == "never-accept":
        never_accept()
    server = Server(("127.0.0.1", 0), HANDLERS[sys.argv[1]])
    print(server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
