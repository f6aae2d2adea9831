"""Kolo's image service: a small WSGI application.

It keeps published pictures on disk and speaks the program's protocol:

  POST /kolo/img.php            multipart form, part "image": a PNG; answers the
                                address of the picture's page as plain text
  POST /kolo/img.php?id=ID      the same, replacing picture ID (re-publishing)
  GET  /kolo/img.php?id=ID      the picture's page
  GET  /kolo/img.php?ch=ID      "1" when picture ID exists, else "0"
  GET  /kolo/i/ID.png           the picture itself
  GET  /kolo/prg/ver.txt        the newest version, and the versioned programs
  GET  /kolo/prg/koloN_NN.bin   beside it with their signatures (".sig")
  GET  /                        a short page that says the service is up

Configuration comes from the environment: KOLO_DATA (folder for pictures and
program files), KOLO_PUBLIC_URL (the address clients reach us at, used in the
answers; by default taken from the request), KOLO_MAX_BYTES (largest upload).
"""
import html
import os
import re
import secrets
import struct
import tempfile
from urllib.parse import parse_qs

PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"
ID_PATTERN = re.compile(r"^[A-Za-z0-9_-]{22}$")
PROGRAM_FILE = re.compile(r"^((ver\.txt)|(kolo[0-9]+(_[0-9]+)?\.bin))(\.sig)?$")
DEFAULT_MAX_BYTES = 8 * 1024 * 1024
MAX_PNG_SIDE = 20000


class Config:
    def __init__(self, data=None, public_url=None, max_bytes=None):
        self.data = data or os.environ.get("KOLO_DATA") or os.path.join(os.getcwd(), "kolo-data")
        self.public_url = (public_url or os.environ.get("KOLO_PUBLIC_URL") or "").rstrip("/")
        self.max_bytes = int(max_bytes or os.environ.get("KOLO_MAX_BYTES") or DEFAULT_MAX_BYTES)

    @property
    def images(self):
        return os.path.join(self.data, "images")

    @property
    def programs(self):
        return os.path.join(self.data, "prg")


class Reject(Exception):
    def __init__(self, status, text):
        super().__init__(text)
        self.status = status
        self.text = text


def valid_png(data):
    """A PNG whose first chunk is a sane IHDR; we do not decode the pixels."""
    if len(data) < 33 or not data.startswith(PNG_SIGNATURE):
        return False
    length, kind = struct.unpack(">I4s", data[8:16])
    if kind != b"IHDR" or length != 13:
        return False
    width, height = struct.unpack(">II", data[16:24])
    return 0 < width <= MAX_PNG_SIDE and 0 < height <= MAX_PNG_SIDE


def multipart_field(body, content_type, name):
    """The bytes of the form field `name` of a multipart/form-data body."""
    match = re.search(r'boundary="?([^";]+)"?', content_type or "", re.I)
    if not content_type.lower().startswith("multipart/form-data") or not match:
        raise Reject("400 Bad Request", "not a multipart form")
    delimiter = b"--" + match.group(1).encode("latin-1")
    for part in body.split(delimiter)[1:]:
        if part.startswith(b"--"):
            break
        head, sep, content = part.partition(b"\r\n\r\n")
        if not sep:
            continue
        disposition = re.search(rb'content-disposition:[^\r\n]*\bname="([^"]*)"', head, re.I)
        if disposition and disposition.group(1).decode("latin-1") == name:
            if content.endswith(b"\r\n"):
                content = content[:-2]
            return content
    raise Reject("400 Bad Request", "no image in the form")


class Service:
    def __init__(self, config=None):
        self.config = config or Config()
        os.makedirs(self.config.images, exist_ok=True)
        os.makedirs(self.config.programs, exist_ok=True)

    # --- helpers ---
    def base_url(self, environ):
        if self.config.public_url:
            return self.config.public_url
        scheme = environ.get("wsgi.url_scheme", "http")
        host = environ.get("HTTP_HOST") or "%s:%s" % (environ["SERVER_NAME"], environ["SERVER_PORT"])
        return "%s://%s" % (scheme, host)

    def image_path(self, image_id):
        if not ID_PATTERN.match(image_id or ""):
            return None
        return os.path.join(self.config.images, image_id + ".png")

    def read_body(self, environ):
        try:
            length = int(environ.get("CONTENT_LENGTH") or "")
        except ValueError:
            raise Reject("411 Length Required", "length required")
        if length < 0 or length > self.config.max_bytes:
            raise Reject("413 Request Entity Too Large", "too large")
        body = environ["wsgi.input"].read(length)
        if len(body) != length:
            raise Reject("400 Bad Request", "short body")
        return body

    def store(self, image_id, png):
        # Written beside its place and renamed over it: a reader never sees half a file.
        fd, tmp = tempfile.mkstemp(dir=self.config.images, suffix=".part")
        with os.fdopen(fd, "wb") as f:
            f.write(png)
        os.replace(tmp, self.image_path(image_id))

    # --- the routes ---
    def upload(self, environ, query):
        png = multipart_field(self.read_body(environ), environ.get("CONTENT_TYPE", ""), "image")
        if not valid_png(png):
            raise Reject("415 Unsupported Media Type", "only PNG pictures are accepted")
        image_id = query.get("id", [""])[0]
        path = self.image_path(image_id)
        if path is None or not os.path.exists(path):
            image_id = secrets.token_urlsafe(16)
        self.store(image_id, png)
        return "200 OK", "text/plain", ("%s/kolo/img.php?id=%s" % (self.base_url(environ), image_id)).encode()

    def page(self, environ, query):
        if "ch" in query:
            path = self.image_path(query["ch"][0])
            return "200 OK", "text/plain", b"1" if path and os.path.exists(path) else b"0"
        image_id = query.get("id", [""])[0]
        path = self.image_path(image_id)
        if path is None or not os.path.exists(path):
            raise Reject("404 Not Found", "no such picture")
        src = html.escape("%s/kolo/i/%s.png" % (self.base_url(environ), image_id))
        body = ("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>Kolo picture</title></head>"
                "<body style=\"margin:0;background:#a6caf0\"><img src=\"%s\" alt=\"picture\"></body></html>" % src)
        return "200 OK", "text/html; charset=utf-8", body.encode()

    def picture(self, name):
        path = self.image_path(name[:-4]) if name.endswith(".png") else None
        if path is None or not os.path.exists(path):
            raise Reject("404 Not Found", "no such picture")
        with open(path, "rb") as f:
            return "200 OK", "image/png", f.read()

    def program_file(self, name):
        if not PROGRAM_FILE.match(name):
            raise Reject("404 Not Found", "no such file")
        path = os.path.join(self.config.programs, name)
        if not os.path.isfile(path):
            raise Reject("404 Not Found", "no such file")
        with open(path, "rb") as f:
            kind = "text/plain" if name.endswith(".txt") else "application/octet-stream"
            return "200 OK", kind, f.read()

    def route(self, environ):
        method = environ.get("REQUEST_METHOD", "GET")
        path = environ.get("PATH_INFO", "/")
        query = parse_qs(environ.get("QUERY_STRING", ""), keep_blank_values=True)
        if path == "/kolo/img.php":
            if method == "POST":
                return self.upload(environ, query)
            if method in ("GET", "HEAD"):
                return self.page(environ, query)
            raise Reject("405 Method Not Allowed", "method not allowed")
        if method not in ("GET", "HEAD"):
            raise Reject("405 Method Not Allowed", "method not allowed")
        if path.startswith("/kolo/i/"):
            return self.picture(path[len("/kolo/i/"):])
        if path.startswith("/kolo/prg/"):
            return self.program_file(path[len("/kolo/prg/"):])
        if path in ("/", "/kolo/", "/kolo"):
            return "200 OK", "text/plain", b"Kolo image service\n"
        raise Reject("404 Not Found", "not found")

    def __call__(self, environ, start_response):
        try:
            status, kind, body = self.route(environ)
        except Reject as e:
            status, kind, body = e.status, "text/plain", (e.text + "\n").encode()
        headers = [("Content-Type", kind), ("Content-Length", str(len(body))),
                   ("X-Content-Type-Options", "nosniff")]
        start_response(status, headers)
        return [b""] if environ.get("REQUEST_METHOD") == "HEAD" else [body]


def make_app():
    return Service()


def main(argv=None):
    import argparse
    import waitress

    parser = argparse.ArgumentParser(description="Kolo's image service")
    parser.add_argument("--host", default="127.0.0.1")
    parser.add_argument("--port", type=int, default=8080)
    parser.add_argument("--data", help="folder for pictures and program files (KOLO_DATA)")
    parser.add_argument("--public-url", help="address clients reach the service at (KOLO_PUBLIC_URL)")
    args = parser.parse_args(argv)
    app = Service(Config(data=args.data, public_url=args.public_url))
    waitress.serve(app, host=args.host, port=args.port, threads=4,
                   max_request_body_size=app.config.max_bytes + 4096, channel_timeout=30)


if __name__ == "__main__":
    main()
