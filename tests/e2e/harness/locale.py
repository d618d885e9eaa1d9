"""A Turkish Unix locale for Wine, which takes its Windows locale and ANSI code page (1254,
as a Turkish Windows has) from it. This Wine keeps of a shortcut's target only the letters
of that code page, so a case with Turkish letters in a path runs under it. The locale is
compiled once into the build folder, needing no change to the system's own locales."""

from __future__ import annotations

import shutil
import subprocess

from .paths import REPO, HarnessError

TURKISH = "tr_TR.UTF-8"


def turkish_locale_env() -> dict[str, str]:
    folder = REPO / "build" / "locale"
    compiled = folder / TURKISH
    if not (compiled / "LC_CTYPE").is_file():
        if not shutil.which("localedef"):
            raise HarnessError("localedef is missing (Debian's libc-bin)")
        folder.mkdir(parents=True, exist_ok=True)
        result = subprocess.run(["localedef", "-i", "tr_TR", "-f", "UTF-8", str(compiled)],
                                capture_output=True, text=True, timeout=120)
        # localedef warns and still writes the locale: the files decide.
        if not (compiled / "LC_CTYPE").is_file():
            raise HarnessError(f"localedef made no {TURKISH} (Debian's locales package): "
                               f"{result.stderr[-1000:]}")
    return {"LOCPATH": str(folder), "LANG": TURKISH, "LC_ALL": TURKISH}
