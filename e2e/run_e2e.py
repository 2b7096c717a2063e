#!/usr/bin/env python3
"""End-to-end tests of qUENTAro.exe under wine, on a private virtual display, driven by our own helper programs."""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

CAPTION = b"qUENTAro v0.93\xdf"
NO_TEXT = b"Error:  Clipboard is either empty or does not contain text.\nSelect text, hit Ctrl-C & re-run program."
MOSTLY_LOWER = b"Clipboard contains mostly lowercase text, invert anyway?"
NOT_SET = b"Error:  Could not set Clipboard."
OK, YES, NO = 1, 6, 7
# The buttons' control ids and texts, as wine labels them.
BUTTONS = {OK: "1:" + b"OK".hex(), YES: "6:" + b"&Yes".hex() + " 7:" + b"&No".hex()}
# The owner is disabled while its box is up; WS_OVERLAPPEDWINDOW plus the WS_CLIPSIBLINGS that every overlapped
# window gets, and never WS_VISIBLE.
OWNER = "owner: class 'qUENTAro' visible 0 style 0ccf0000"
TEXT_FORMATS = "formats: 1 16 7 13"  # CF_TEXT, with CF_LOCALE, CF_OEMTEXT and CF_UNICODETEXT that wine derives
PICTURE_FORMATS = "formats: 8 2 17"  # CF_DIB, with CF_BITMAP and CF_DIBV5 that wine derives
FREE = "opened"
HELD = "busy, held by window of class 'hold_clipboard'"

SEVERAL_MIB = b"tHE qUICK bROWN fOX jUMPS oVER tHE lAZY dOG 0123456789\r\n" * 80000  # 4.4 MiB

def text_after(data):
    """What the clipboard holds after the program wrote `data`: one CF_TEXT block of the text and a zero."""
    return f"{TEXT_FORMATS}\ntext: {data.hex()}00"


def box(text, icon, buttons, answer, clipboard=FREE):
    return {"text": text, "icon": icon, "buttons": buttons, "answer": answer, "clipboard": clipboard}


NO_TEXT_BOX = box(NO_TEXT, "information", OK, OK)
NOT_SET_BOX = box(NOT_SET, "exclamation", OK, OK, clipboard=HELD)


def question(answer, clipboard=FREE):
    return box(MOSTLY_LOWER, "question", YES, answer, clipboard)


# Each case: how the clipboard is set up, any hold by another program, the boxes the program must show (each
# answered), and what the clipboard holds afterwards. The program's exit code must be 0 in every one.
CASES = {
    "typical text": dict(put=b"tHE qUICK bROWN fOX", after=text_after(b"The Quick Brown Fox")),
    "mostly lowercase answered No": dict(put=b"Hello world", boxes=[question(NO)],
                                         after=text_after(b"Hello world")),
    "mostly lowercase answered Yes": dict(put=b"Hello world", boxes=[question(YES)],
                                          after=text_after(b"hELLO WORLD")),
    "exactly half lowercase asks nothing": dict(put=b"abCD", after=text_after(b"ABcd")),
    "empty text": dict(put=b"", after=text_after(b"")),
    "picture only": dict(setup="picture", boxes=[NO_TEXT_BOX], after=f"{PICTURE_FORMATS}\ntext: none"),
    "empty clipboard": dict(setup="empty", boxes=[NO_TEXT_BOX], after="formats:\ntext: none"),
    "held by another program throughout": dict(
        put=b"tHE qUICK", hold=["stdin"], boxes=[box(NO_TEXT, "information", OK, OK, clipboard=HELD)],
        after=text_after(b"tHE qUICK")),
    # The hold ends 80 ms after the program's window appears, well inside its busy-clipboard wait.
    "held briefly while the program starts": dict(put=b"tHE qUICK", hold=["80", "qUENTAro"],
                                                  after=text_after(b"The Quick")),
    # Another program takes the clipboard while the question is up and keeps it: the write cannot happen.
    "held from the question on": dict(put=b"Hello world", boxes=[question(YES), NOT_SET_BOX],
                                      hold_from_first_box=True, after=text_after(b"Hello world")),
    "every byte but zero, only letters change": dict(put=bytes(range(1, 256)),
                                                     after=text_after(bytes(range(1, 256)).swapcase())),
    # Code page 1252's accented letters are neither counted as lowercase nor changed; counted, they would ask.
    "accented letters left alone": dict(put="àéîõüç xY".encode("cp1252"),
                                        after=text_after("àéîõüç Xy".encode("cp1252"))),
    # The text ends at the first zero; the bytes after it are not part of it and are not written back.
    "zero inside the text": dict(put=b"ABc\0dEF", after=text_after(b"abC")),
    "other formats gone after a write": dict(put=b"tHE qUICK", put_options=["beside-marker"],
                                             after=text_after(b"The Quick")),
    # Wine's SetClipboardData zeroes the last byte of every CF_TEXT block, so a block placed without a zero
    # reaches the program with its last byte replaced by one: the "!" here never arrives.
    "block without a zero": dict(put=b"tHE qUICK bROWN fOX!", put_options=["no-zero"],
                                 after=text_after(b"The Quick Brown Fox")),
    "several MiB of text": dict(put=SEVERAL_MIB, after=text_after(SEVERAL_MIB.swapcase())),
    # A Linux application owns the X clipboard; wine hands the program its UTF-8 as code page 1252 bytes.
    "text copied from a Linux application": dict(
        xclip="Straße ÄÖÜ tHE qUICK", after=text_after("sTRAßE ÄÖÜ The Quick".encode("cp1252")),
        desktop_after="sTRAßE ÄÖÜ The Quick"),
}

SJIS_KANA = "アイウ".encode("cp932")  # 83 41 83 43 83 45: every trail byte is an uppercase letter
SJIS_FULLWIDTH_B = "Ｂ".encode("cp932")  # 82 61: a trail byte in the lowercase range
CASES_932 = {
    "double-byte characters kept whole": dict(put=SJIS_KANA + b" tHE qUICK",
                                              after=text_after(SJIS_KANA + b" The Quick")),
    # Counting the trail bytes would make five lowercase of eight bytes, more than half: a question.
    "trail bytes not counted as lowercase": dict(put=SJIS_FULLWIDTH_B * 3 + b"xy",
                                                 after=text_after(SJIS_FULLWIDTH_B * 3 + b"XY")),
    "double-byte text copied from a Linux application": dict(
        xclip="アイウ tHE", after=text_after(SJIS_KANA + b" The"), desktop_after="アイウ The"),
}

SMOKE = ["typical text", "mostly lowercase answered Yes", "picture only"]
SMOKE_932 = ["double-byte characters kept whole"]


def i386_is_emulated():
    """32-bit Linux programs run through qemu when a binfmt_misc entry for i386 ELF files is enabled."""
    folder = "/proc/sys/fs/binfmt_misc"
    if not os.path.isdir(folder):
        return False
    for name in os.listdir(folder):
        if name in ("register", "status"):
            continue
        try:
            with open(os.path.join(folder, name)) as entry:
                lines = entry.read().split("\n")
        except OSError:
            continue
        if "enabled" in lines and any(line.startswith("magic 7f454c4601010100") and "02000300" in line
                                      for line in lines):
            return True
    return False


def find_wine64():
    for candidate in (shutil.which("wine64"), "/usr/lib/wine/wine64", "/usr/lib64/wine/wine64"):
        if candidate and os.access(candidate, os.X_OK):
            return candidate
    raise RuntimeError("wine64 not found")


class Session:
    """One Xvfb display, a window manager, one wineserver and one idle wine GUI process that keeps the clipboard."""

    def __init__(self, prefix, helpers):
        self.prefix = prefix
        self.helpers = helpers
        self.wine64 = find_wine64()
        self.display = None
        self.xvfb = self.wm = self.keeper = None
        self.locale = "C.UTF-8"
        self.workdir = tempfile.mkdtemp(prefix="quentaro-e2e-")

    def env(self):
        env = dict(os.environ)
        env.update(WINEPREFIX=self.prefix, WINEDEBUG="-all", DISPLAY=self.display, LC_ALL=self.locale,
                   WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d")
        return env

    def start(self):
        read_end, write_end = os.pipe()
        # Xvfb picks a free display number itself and writes it to the descriptor.
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                                      "-nolisten", "tcp"], pass_fds=[write_end], stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as numbers:
            number = numbers.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number
        # Without a window manager wine waits about two seconds after each box closes.
        self.wm = subprocess.Popen(["matchbox-window-manager", "-use_titlebar", "no"], env=self.env(),
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # A prefix whose making was cut short lacks its 32-bit half and every PE32 start fails in it: the marker is
        # written only once wineboot has finished.
        ready = os.path.join(self.prefix, ".quentaro-e2e-ready")
        if not os.path.exists(ready):
            print(f"making the wine prefix {self.prefix} (a few minutes, once)", flush=True)
            shutil.rmtree(self.prefix, ignore_errors=True)
            subprocess.run([self.wine64, "wineboot", "-i"], env=self.env(), timeout=900, check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            subprocess.run(["wineserver", "-w"], env=self.env(), timeout=900, check=False)
            open(ready, "w").close()
        self.start_wine()

    def start_wine(self):
        subprocess.run(["wineserver", "-p"], env=self.env(), check=True)
        self.keeper = subprocess.Popen([self.wine64, os.path.join(self.helpers, "stay_idle.exe")], env=self.env(),
                                       stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        if self.keeper.stdout.readline() != b"idle\n":
            raise RuntimeError("stay_idle did not start")

    def stop_wine(self):
        if self.keeper:
            self.keeper.stdin.close()
            try:
                self.keeper.wait(10)
            except subprocess.TimeoutExpired:
                self.keeper.kill()
            self.keeper = None
        subprocess.run(["wineserver", "-k"], env=self.env(), check=False)
        subprocess.run(["wineserver", "-w"], env=self.env(), check=False, timeout=30)

    def switch_locale(self, locale):
        """Wine takes its ANSI code page from the locale when the wineserver starts."""
        self.stop_wine()
        self.locale = locale
        self.start_wine()

    def stop(self):
        try:
            if self.display:
                self.stop_wine()
        finally:
            for process in (self.wm, self.xvfb):
                if process and process.poll() is None:
                    process.terminate()
                    process.wait(10)
            shutil.rmtree(self.workdir, ignore_errors=True)

    def helper(self, name, *args, timeout=60):
        result = subprocess.run([self.wine64, os.path.join(self.helpers, name + ".exe"), *args], env=self.env(),
                                stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=timeout)
        return result.returncode, result.stdout.decode("latin-1").strip()

    def start_helper(self, name, *args):
        return subprocess.Popen([self.wine64, os.path.join(self.helpers, name + ".exe"), *args], env=self.env(),
                                stdin=subprocess.PIPE, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)

    def unix_path_for_wine(self, path):
        return "Z:" + path.replace("/", "\\")

    def put_text(self, data, options):
        if len(data) > 4000:
            path = os.path.join(self.workdir, "text.bin")
            with open(path, "wb") as file:
                file.write(data)
            argument = "@" + self.unix_path_for_wine(path)
        else:
            argument = data.hex()
        return self.helper("put_clipboard_text", argument, *options)

    def read_clipboard(self):
        return self.helper("read_clipboard_text")[1]


SESSION = None


class ProgramCases(unittest.TestCase):
    """Runs one program file through a table of cases; subclasses pick the program and the cases."""

    program = None
    wine = None
    start_timeout = 30

    def run_program(self, name, case):
        session = SESSION
        xclip = None
        hold = None
        if "put" in case:
            code, said = session.put_text(case["put"], case.get("put_options", []))
            self.assertEqual(code, 0, f"placing the text failed: {said}")
        elif case.get("setup") == "picture":
            self.assertEqual(session.helper("put_clipboard_picture"), (0, "placed picture"))
        elif case.get("setup") == "empty":
            self.assertEqual(session.helper("empty_clipboard"), (0, "emptied"))
        elif "xclip" in case:
            session.helper("empty_clipboard")
            xclip = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard", "-i"], env=session.env(),
                                     stdin=subprocess.PIPE, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            xclip.stdin.write(case["xclip"].encode("utf-8"))
            xclip.stdin.close()
        try:
            if xclip:
                self.wait_for_wine_to_see_xclip()
            if "hold" in case:
                hold = session.start_helper("hold_clipboard", *case["hold"])
                self.assertEqual(hold.stdout.readline(), b"held\n")
            program = subprocess.Popen([self.wine, self.program], env=session.env(),
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            started = time.monotonic()
            try:
                for number, expected in enumerate(case.get("boxes", [])):
                    take_hold = number == 0 and case.get("hold_from_first_box")
                    hold = self.answer_box(name, expected, first=number == 0, take_hold=take_hold) or hold
                    if number == 0 and self.start_timeout > 30:
                        print(f"first box after {time.monotonic() - started:.0f} s ... ", end="", flush=True)
                self.wait_for_exit(name, program)
            finally:
                if program.poll() is None:
                    program.kill()
                    program.wait()
            if hold:
                hold.stdin.close()
                self.assertEqual(hold.stdout.read().strip(), b"released")
                hold.wait(30)
                hold = None
            self.assertSameText(session.read_clipboard(), case["after"], f"{name}: clipboard after the run")
            if "desktop_after" in case:
                shown = subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=session.env(),
                                       stdout=subprocess.PIPE, timeout=30).stdout
                self.assertEqual(shown.decode("utf-8", "replace"), case["desktop_after"],
                                 f"{name}: what a Linux application pastes")
        finally:
            for process in (hold, xclip):
                if process and process.poll() is None:
                    process.kill()
                    process.wait()

    def assertSameText(self, seen, wanted, what):
        """Exact comparison; a mismatch in a text of several MiB is shown where it starts, not in full."""
        if len(wanted) < 10000 or seen == wanted:
            self.assertEqual(seen, wanted, what)
            return
        at = next((i for i, (a, b) in enumerate(zip(seen, wanted)) if a != b), min(len(seen), len(wanted)))
        self.fail(f"{what}: {len(seen)} characters seen, {len(wanted)} wanted; from character {at} it saw "
                  f"{seen[at:at + 80]!r} where {wanted[at:at + 80]!r} was wanted")

    def wait_for_wine_to_see_xclip(self):
        for _ in range(100):
            if "text: none" not in SESSION.read_clipboard():
                return
            time.sleep(0.1)
        self.fail(f"wine never saw the text xclip placed; clipboard: {SESSION.read_clipboard()!r}")

    def answer_box(self, name, expected, first, take_hold):
        """Checks the box and the clipboard's state while it is up, then answers; may leave a hold of ours behind."""
        # The first box of an emulated 32-bit run comes only after wine has started, nearly a minute.
        timeout = self.start_timeout if first else 30
        code, shown = SESSION.helper("answer_message_box", CAPTION.hex(), "show", str(timeout * 1000),
                                     timeout=timeout + 30)
        want = "\n".join([f"caption: {CAPTION.hex()}", f"text: {expected['text'].hex()}",
                          f"icon: {expected['icon']}", f"buttons: {BUTTONS[expected['buttons']]}", OWNER])
        self.assertEqual((code, shown), (0, want), f"{name}: the box shown")
        self.assertEqual(SESSION.helper("try_open_clipboard")[1], expected["clipboard"],
                         f"{name}: another program opening the clipboard while the box is up")
        hold = None
        if take_hold:
            hold = SESSION.start_helper("hold_clipboard", "stdin")
            self.assertEqual(hold.stdout.readline(), b"held\n")
        code, pressed = SESSION.helper("answer_message_box", CAPTION.hex(), str(expected["answer"]), "30000")
        self.assertEqual((code, pressed.split("\n")[-1]), (0, f"pressed {expected['answer']}"),
                         f"{name}: pressing {expected['answer']}")
        return hold

    def wait_for_exit(self, name, program):
        try:
            code = program.wait(self.start_timeout)
        except subprocess.TimeoutExpired:
            _, shown = SESSION.helper("answer_message_box", CAPTION.hex(), "show", "1000")
            self.fail(f"{name}: the program did not end; what it shows: {shown}")
        self.assertEqual(code, 0, f"{name}: exit code")


def make_case_test(name):
    def test(self):
        self.run_program(name, self.cases[name])
    return test


def cases_class(title, program, wine, names, table, start_timeout):
    attributes = {"program": program, "wine": wine, "cases": table, "start_timeout": start_timeout}
    for name in names:
        attributes["test_" + name.replace(" ", "_").replace(",", "")] = make_case_test(name)
    return type(title, (ProgramCases,), attributes)


class VersionRecord(unittest.TestCase):
    """The version record and the icon, read back the way Windows' Explorer reads them."""

    files = ()

    def test_version_record(self):
        want = {
            "fixed": "signature feef04bd file 00000000.00000000 product 00000000.00000000 mask 3f flags 0 os 40004 "
                     "type 1 subtype 0 date 0.0",
            "translation": "0409,04b0",
            "FileDescription": b"qUENTAro".hex(),
            "FileVersion": b"v0.93\xdf980622".hex(),
            "InternalName": b"qUENTAro".hex(),
            "OriginalFilename": b"qUENTAro.exe".hex(),
            "ProductName": b"qUENTAro".hex(),
            "ProductVersion": b"0.93\xdf980622".hex(),
        }
        for path in self.files:
            with self.subTest(path=path):
                code, said = SESSION.helper("read_version_record", path)
                entries = dict(line.split(": ", 1) for line in said.split("\n") if ": " in line)
                self.assertEqual((code, {name: entries.get(name) for name in want}), (0, want), said)

    def test_icon_group(self):
        for path in self.files:
            with self.subTest(path=path):
                code, said = SESSION.helper("find_icon_group", path, "102")
                self.assertEqual((code, said.split("\n")[0].split(":")[0]), (0, "icon group 102"), said)
                self.assertNotIn("absent", said)
                self.assertNotIn("missing", said)


def main():
    global SESSION
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--program", required=True, help="the real PE32 qUENTAro.exe")
    parser.add_argument("--twin", required=True, help="the 64-bit build of the same source")
    parser.add_argument("--helpers", required=True, help="folder of the 64-bit helper programs")
    parser.add_argument("--prefix", required=True, help="the wine prefix to use (made when missing)")
    parser.add_argument("--full", action="store_true", help="every case on the PE32 too, even when emulated")
    parser.add_argument("-k", dest="pattern", help="only tests whose names contain this")
    options = parser.parse_args()

    emulated = i386_is_emulated() and not options.full
    wine64 = find_wine64()
    wine = shutil.which("wine") or wine64
    program_timeout = 240 if i386_is_emulated() else 30
    pe32_names = SMOKE if emulated else list(CASES)
    pe32_names_932 = SMOKE_932 if emulated else list(CASES_932)
    print(f"PE32 runs {'the smoke subset: 32-bit is emulated' if emulated else 'every case'}", flush=True)

    VersionRecord.files = (os.path.abspath(options.program), os.path.abspath(options.twin))
    groups_1252 = [
        cases_class("Twin", options.twin, wine64, list(CASES), CASES, 30),
        cases_class("Program", options.program, wine, pe32_names, CASES, program_timeout),
        VersionRecord,
    ]
    groups_932 = [
        cases_class("TwinCodePage932", options.twin, wine64, list(CASES_932), CASES_932, 30),
        cases_class("ProgramCodePage932", options.program, wine, pe32_names_932, CASES_932, program_timeout),
    ]

    def suite_of(groups):
        suite = unittest.TestSuite()
        for group in groups:
            for test in unittest.defaultTestLoader.loadTestsFromTestCase(group):
                if not options.pattern or options.pattern in test.id():
                    suite.addTest(test)
        return suite

    for path in (options.program, options.twin, os.path.join(options.helpers, "stay_idle.exe")):
        if not os.path.exists(path):
            print(f"missing {path}: build the win32 and win64 presets first")
            print("0 passed, 1 failed")
            return 1

    # ctest stops a test that runs too long with SIGTERM: the session is still torn down.
    signal.signal(signal.SIGTERM, signal.default_int_handler)
    began = time.monotonic()
    SESSION = Session(os.path.abspath(options.prefix), os.path.abspath(options.helpers))
    runner = unittest.TextTestRunner(verbosity=2, stream=sys.stdout)
    results = []
    try:
        SESSION.start()
        results.append(runner.run(suite_of(groups_1252)))
        SESSION.switch_locale("ja_JP.UTF-8")
        results.append(runner.run(suite_of(groups_932)))
    finally:
        SESSION.stop()
    ran = sum(result.testsRun for result in results)
    # A test with several subtests may fail more than once; it is still one test.
    failed = len({getattr(test, "test_case", test).id()
                  for result in results for test, _ in result.failures + result.errors})
    print(f"end-to-end took {time.monotonic() - began:.0f} s")
    print(f"{ran - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
