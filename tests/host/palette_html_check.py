#!/usr/bin/python3
"""Opens a palette page saved by kolocli in headless Chromium, clicks each of
the five column buttons like a user would (real mouse events through the
DevTools protocol over a pipe) and checks the table the page builds.

usage: palette_html_check.py PAGE.html COLOURS.txt PROFILE_DIR
COLOURS.txt holds the palette's colours, one "r g b" per line, in order.
Exits non-zero with a reason on the first mismatch.
"""
import fcntl
import json
import math
import os
import subprocess
import sys
import time

TIMEOUT = 60


def fail(reason):
    print("FAIL: " + reason)
    sys.exit(1)


class Browser:
    """Chromium driven over --remote-debugging-pipe (fd 3 in, fd 4 out)."""

    def __init__(self, url, profile):
        to_child_r, self.to_child = os.pipe()
        self.from_child, from_child_w = os.pipe()

        def wire_fds():
            # Move both ends out of the way first: a pipe end may already be
            # fd 3 or 4, and dup2 onto itself would keep close-on-exec set.
            high_in = fcntl.fcntl(to_child_r, fcntl.F_DUPFD, 10)
            high_out = fcntl.fcntl(from_child_w, fcntl.F_DUPFD, 10)
            os.dup2(high_in, 3)
            os.dup2(high_out, 4)

        self.proc = subprocess.Popen(
            ["chromium", "--headless", "--no-sandbox", "--disable-gpu",
             "--disable-background-networking", "--no-first-run",
             "--disable-component-update", "--disable-sync",
             "--user-data-dir=" + profile, "--remote-debugging-pipe",
             "--window-size=800,600", url],
            preexec_fn=wire_fds, close_fds=False,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(to_child_r)
        os.close(from_child_w)
        self.buffer = b""
        self.next_id = 0
        self.session = None

    def send(self, method, params=None, session=True):
        self.next_id += 1
        msg = {"id": self.next_id, "method": method, "params": params or {}}
        if session and self.session:
            msg["sessionId"] = self.session
        os.write(self.to_child, json.dumps(msg).encode() + b"\0")
        deadline = time.time() + TIMEOUT
        while time.time() < deadline:
            while b"\0" not in self.buffer:
                chunk = os.read(self.from_child, 65536)
                if not chunk:
                    fail("Chromium closed the DevTools pipe (did it start?)")
                self.buffer += chunk
            raw, self.buffer = self.buffer.split(b"\0", 1)
            reply = json.loads(raw)
            if reply.get("id") == self.next_id:
                if "error" in reply:
                    fail("DevTools %s: %s" % (method, reply["error"]))
                return reply.get("result", {})
        fail("no answer from Chromium to " + method)

    def attach_page(self):
        deadline = time.time() + TIMEOUT
        while time.time() < deadline:
            targets = self.send("Target.getTargets", session=False)["targetInfos"]
            pages = [t for t in targets if t["type"] == "page"]
            if pages:
                result = self.send("Target.attachToTarget",
                                   {"targetId": pages[0]["targetId"], "flatten": True},
                                   session=False)
                self.session = result["sessionId"]
                return
            time.sleep(0.2)
        fail("Chromium opened no page")

    def eval(self, expression):
        result = self.send("Runtime.evaluate",
                           {"expression": expression, "returnByValue": True})
        if "exceptionDetails" in result:
            fail("script error: " + json.dumps(result["exceptionDetails"]))
        return result["result"].get("value")

    def click(self, x, y):
        for kind in ("mouseMoved", "mousePressed", "mouseReleased"):
            self.send("Input.dispatchMouseEvent",
                      {"type": kind, "x": x, "y": y, "button": "left", "clickCount": 1})

    def close(self):
        try:
            self.send("Browser.close", session=False)
            self.proc.wait(timeout=10)
        except Exception:
            pass
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()


def main():
    page, colours_file, profile = sys.argv[1:4]
    colours = [tuple(int(v) for v in line.split()) for line in open(colours_file) if line.strip()]
    n = len(colours)
    browser = Browser("file://" + os.path.abspath(page), profile)
    try:
        browser.attach_page()
        deadline = time.time() + TIMEOUT
        ready_js = ('location.protocol == "file:" && document.readyState == "complete"'
                    ' && document.getElementById("col") != null')
        while not browser.eval(ready_js):
            if time.time() > deadline:
                fail("page never finished loading")
            time.sleep(0.1)

        state_js = """JSON.stringify({
          rows: Array.from(document.getElementById("col").rows).map(r => ({
            cols: r.querySelectorAll("td.TDCOL").length,
            labels: r.querySelectorAll("td.TDLBL").length})),
          buttons: Array.from(document.getElementById("but").rows[0].cells).slice(2)
                     .map(c => c.className),
          cells: Array.from(document.querySelectorAll("#col td.TDCOL")).map(td => ({
            title: td.title, bg: getComputedStyle(td).backgroundColor}))
        })"""

        # Before any click the page shows 16 columns.
        first = json.loads(browser.eval(state_js))
        if [r["cols"] for r in first["rows"]][:1] != [min(16, n)]:
            fail("initial table is not 16 columns wide: %s" % first["rows"])

        for index, count in enumerate([1, 2, 4, 8, 16]):
            rect = browser.eval(
                "JSON.stringify(document.getElementById('but').rows[0].cells[%d]"
                ".getBoundingClientRect())" % (index + 2))
            rect = json.loads(rect)
            browser.click(rect["x"] + rect["width"] / 2, rect["y"] + rect["height"] / 2)
            selected = ["TDSCN" if 1 << i == count else "TDCN" for i in range(5)]
            deadline = time.time() + 5
            state = json.loads(browser.eval(state_js))
            while state["buttons"] != selected and time.time() < deadline:
                time.sleep(0.05)
                state = json.loads(browser.eval(state_js))

            rows = state["rows"]
            expected_rows = math.ceil(n / count)
            if len(rows) != expected_rows:
                fail("%d columns: %d rows, expected %d" % (count, len(rows), expected_rows))
            for i, row in enumerate(rows):
                want = count if i < expected_rows - 1 else n - count * (expected_rows - 1)
                if row["cols"] != want:
                    fail("%d columns: row %d has %d colour cells, expected %d"
                         % (count, i, row["cols"], want))
                want_labels = want if count < 16 else 0
                if row["labels"] != want_labels:
                    fail("%d columns: row %d has %d labels, expected %d"
                         % (count, i, row["labels"], want_labels))
            if state["buttons"] != selected:
                fail("%d columns: button classes %s" % (count, state["buttons"]))
            cells = state["cells"]
            if len(cells) != n:
                fail("%d columns: %d colour cells in all, expected %d" % (count, len(cells), n))
            for k in (0, n // 2, n - 1):
                r, g, b = colours[k]
                if cells[k]["title"] != "%d,%d,%d" % (r, g, b):
                    fail("cell %d tooltip %r" % (k, cells[k]["title"]))
                if cells[k]["bg"] != "rgb(%d, %d, %d)" % (r, g, b):
                    fail("cell %d background %r" % (k, cells[k]["bg"]))
            print("ok: %2d columns, %d rows" % (count, len(rows)))
    finally:
        browser.close()


if __name__ == "__main__":
    main()
