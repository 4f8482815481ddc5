#!/usr/bin/env python3
"""A stand-in speech-dispatcher that says nothing and writes down what it is
asked to say.

speech_server.py SOCKET RECORDED: listens on the Unix socket SOCKET (a client
finds it through SPEECHD_ADDRESS=unix_socket:SOCKET) and answers the SSIP
commands a client sends, with the server's reply codes. Each SPEAK's text is
appended to RECORDED as "KIND<TAB>TEXT": passing for the priority "text",
result for "message", the priority's own name for any other. Commands it does
not know are answered with an error and noted on standard error."""
import os
import socketserver
import sys

KINDS = {"text": "passing", "message": "result"}

# The answers to SET's settings and to the other commands known, by their name.
SET_REPLIES = {"client_name": "208 OK CLIENT NAME SET"}
REPLIES = {"cancel": "213 OK CANCELED", "stop": "210 OK STOPPED"}


class Client(socketserver.StreamRequestHandler):
    def Reply(self, text):
        self.wfile.write(text.encode() + b"\r\n")
        self.wfile.flush()

    def ReadText(self):
        lines = []
        for raw in self.rfile:
            line = raw.decode("utf-8").rstrip("\r\n")
            if line == ".":
                break
            # SSIP doubles a dot that begins a line of the text.
            lines.append(line[1:] if line.startswith("..") else line)
        return "\n".join(lines)

    def handle(self):
        priority = "text"
        for raw in self.rfile:
            words = raw.decode("utf-8").strip().split()
            lowered = [word.lower() for word in words]
            if not words:
                continue
            if lowered[0] == "quit":
                self.Reply("231 HAPPY HACKING")
                return
            if lowered[0] == "speak":
                self.Reply("230 OK RECEIVING DATA")
                text = self.ReadText()
                with open(self.server.recorded, "a", encoding="utf-8") as out:
                    out.write(f"{KINDS.get(priority, priority)}\t{text}\n")
                self.server.spoken += 1
                self.Reply(f"225-{self.server.spoken}")
                self.Reply("225 OK MESSAGE QUEUED")
            elif lowered[0] == "set" and lowered[2:3] == ["priority"] and len(words) > 3:
                priority = lowered[3]
                self.Reply("202 OK PRIORITY SET")
            elif lowered[0] == "set" and len(words) > 3 and lowered[2] in SET_REPLIES:
                self.Reply(SET_REPLIES[lowered[2]])
            elif lowered[0] in REPLIES:
                self.Reply(REPLIES[lowered[0]])
            else:
                print(f"speech_server: unknown command: {' '.join(words)}", file=sys.stderr)
                self.Reply("300 ERR UNKNOWN COMMAND")


def main():
    socketPath, recorded = sys.argv[1], sys.argv[2]
    if os.path.exists(socketPath):
        os.unlink(socketPath)
    server = socketserver.ThreadingUnixStreamServer(socketPath, Client)
    server.recorded = recorded
    server.spoken = 0
    server.serve_forever()


if __name__ == "__main__":
    main()
