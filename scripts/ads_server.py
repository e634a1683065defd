#!/usr/bin/env python3
"""Serves one ads page on 127.0.0.1 for a demo run.

wget is pointed at this server as its HTTP proxy (http_proxy), so every
request comes with the full address ("GET http://host/oglasi/oglasi.htm");
any address whose path ends in /oglasi/oglasi.htm gets the page, everything
else 404. The chosen port is written to PORT_FILE once the server listens.

usage: ads_server.py PAGE PORT_FILE
"""
import http.server
import os
import sys
import urllib.parse


def main():
    page_path, port_file = sys.argv[1], sys.argv[2]
    with open(page_path, "rb") as f:
        page = f.read()

    class Handler(http.server.BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.0"

        def do_GET(self):
            path = urllib.parse.urlsplit(self.path).path
            if path.endswith("/oglasi/oglasi.htm"):
                self.send_response(200)
                self.send_header("Content-Type", "text/html")
                self.send_header("Content-Length", str(len(page)))
                self.end_headers()
                self.wfile.write(page)
            else:
                self.send_error(404)

        def log_message(self, *args):
            pass

    server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
    with open(port_file + ".tmp", "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(port_file + ".tmp", port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
