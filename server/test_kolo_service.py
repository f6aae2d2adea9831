"""Tests of the image service: the protocol through WSGI calls, and one real
server started with waitress and spoken to over a socket."""
import io
import os
import socket
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.request
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import kolo_service  # noqa: E402


def png(width=3, height=2):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    raw = b"".join(b"\x00" + b"\xff\x00\x00" * width for _ in range(height))
    return (kolo_service.PNG_SIGNATURE + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def form(data, boundary="0A1B2C3D_Synapse_boundary"):
    body = (b"--" + boundary.encode() + b"\r\n"
            b'content-disposition: form-data; name="image"; filename="test.png"\r\n'
            b"Content-Type: Application/octet-string\r\n\r\n" + data + b"\r\n--" + boundary.encode() + b"--\r\n")
    return body, "multipart/form-data; boundary=" + boundary


class ServiceTest(unittest.TestCase):
    def setUp(self):
        self.dir = tempfile.TemporaryDirectory()
        self.app = kolo_service.Service(kolo_service.Config(data=self.dir.name, max_bytes=10000))

    def tearDown(self):
        self.dir.cleanup()

    def call(self, method, path, query="", body=b"", content_type=""):
        environ = {"REQUEST_METHOD": method, "PATH_INFO": path, "QUERY_STRING": query,
                   "CONTENT_LENGTH": str(len(body)), "CONTENT_TYPE": content_type,
                   "wsgi.input": io.BytesIO(body), "wsgi.url_scheme": "http",
                   "HTTP_HOST": "pics.test:81", "SERVER_NAME": "pics.test", "SERVER_PORT": "81"}
        seen = {}
        out = b"".join(self.app(environ, lambda status, headers: seen.update(status=status)))
        return seen["status"], out

    def upload(self, data, query=""):
        body, kind = form(data)
        return self.call("POST", "/kolo/img.php", query, body, kind)

    def test_publish_check_view_and_republish(self):
        status, answer = self.upload(png())
        self.assertEqual(status, "200 OK")
        address = answer.decode()
        self.assertTrue(address.upper().startswith("HTTP"))
        self.assertTrue(address.startswith("http://pics.test:81/kolo/img.php?id="))
        image_id = address.split("id=")[1]
        self.assertRegex(image_id, kolo_service.ID_PATTERN)
        self.assertEqual(self.call("GET", "/kolo/img.php", "ch=" + image_id), ("200 OK", b"1"))
        status, page = self.call("GET", "/kolo/img.php", "id=" + image_id)
        self.assertIn(("/kolo/i/%s.png" % image_id).encode(), page)
        self.assertEqual(self.call("GET", "/kolo/i/%s.png" % image_id), ("200 OK", png()))
        # Re-publishing an edited picture keeps its address and replaces it.
        status, again = self.upload(png(5, 5), "id=%s&t=1" % image_id)
        self.assertEqual(again.decode(), address)
        self.assertEqual(self.call("GET", "/kolo/i/%s.png" % image_id)[1], png(5, 5))
        # Another upload gets another unguessable id.
        self.assertNotEqual(self.upload(png())[1], answer)

    def test_refuses_what_is_not_a_small_png(self):
        self.assertEqual(self.upload(b"GIF89a" + b"\0" * 40)[0], "415 Unsupported Media Type")
        self.assertEqual(self.upload(png(30000, 2))[0], "415 Unsupported Media Type")
        self.assertEqual(self.upload(png() + b"\0" * 10000)[0], "413 Request Entity Too Large")
        self.assertEqual(self.call("POST", "/kolo/img.php", "", b"x", "text/plain")[0], "400 Bad Request")
        self.assertEqual(os.listdir(self.app.config.images), [])

    def test_names_never_leave_their_folders(self):
        secret = os.path.join(self.dir.name, "secret.png")
        with open(secret, "wb") as f:
            f.write(png())
        for query in ("ch=../secret", "ch=..%2Fsecret", "ch="):
            self.assertEqual(self.call("GET", "/kolo/img.php", query)[1], b"0")
        self.assertEqual(self.call("GET", "/kolo/img.php", "id=../secret")[0], "404 Not Found")
        self.assertEqual(self.call("GET", "/kolo/i/../secret.png")[0], "404 Not Found")
        self.assertEqual(self.call("GET", "/kolo/prg/../secret.png")[0], "404 Not Found")
        # A re-send naming a foreign file makes a new picture rather than overwrite it.
        status, answer = self.upload(png(4, 4), "id=../secret")
        self.assertNotIn(b"secret", answer)
        with open(secret, "rb") as f:
            self.assertEqual(f.read(), png())

    def test_program_files(self):
        with open(os.path.join(self.app.config.programs, "ver.txt"), "w") as f:
            f.write("2.1\n")
        with open(os.path.join(self.app.config.programs, "kolo2_10.bin"), "wb") as f:
            f.write(b"MZ")
        self.assertEqual(self.call("GET", "/kolo/prg/ver.txt"), ("200 OK", b"2.1\n"))
        self.assertEqual(self.call("GET", "/kolo/prg/kolo2_10.bin"), ("200 OK", b"MZ"))
        self.assertEqual(self.call("GET", "/kolo/prg/kolo2_11.bin")[0], "404 Not Found")
        self.assertEqual(self.call("GET", "/kolo/prg/other.txt")[0], "404 Not Found")


class RealServerTest(unittest.TestCase):
    def test_upload_over_a_socket(self):
        with tempfile.TemporaryDirectory() as data:
            sock = socket.socket()
            sock.bind(("127.0.0.1", 0))
            port = sock.getsockname()[1]
            sock.close()
            server = subprocess.Popen([sys.executable, os.path.join(os.path.dirname(__file__), "kolo_service.py"),
                                       "--port", str(port), "--data", data],
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                base = "http://127.0.0.1:%d" % port
                for _ in range(100):
                    try:
                        urllib.request.urlopen(base + "/", timeout=1).read()
                        break
                    except OSError:
                        time.sleep(0.1)
                body, kind = form(png())
                request = urllib.request.Request(base + "/kolo/img.php", body, {"Content-Type": kind})
                address = urllib.request.urlopen(request, timeout=5).read().decode()
                self.assertTrue(address.startswith(base + "/kolo/img.php?id="))
                check = address.replace("id=", "ch=", 1)
                self.assertEqual(urllib.request.urlopen(check, timeout=5).read(), b"1")
            finally:
                server.terminate()
                server.wait()


if __name__ == "__main__":
    unittest.main()
