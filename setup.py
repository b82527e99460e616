"""The extension of the quelmar package, built by the project's CMake build.

The Release build folder build/release is the one ./run.sh builds, so an
install after ./run.sh compiles only what changed (QUELMAR_BUILD_DIR names
another).
"""

import os
import pathlib
import re
import shutil
import subprocess

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

ROOT = pathlib.Path(__file__).resolve().parent
VERSION = re.search(r"project\(Quelmar VERSION ([0-9.]+)", (ROOT / "CMakeLists.txt").read_text()).group(1)


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        build = pathlib.Path(os.environ.get("QUELMAR_BUILD_DIR", ROOT / "build" / "release"))
        subprocess.run(["cmake", "-S", str(ROOT), "-B", str(build), "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Release",
                        "-DQUELMAR_TESTS=OFF"], check=True)
        subprocess.run(["cmake", "--build", str(build), "--target", "quelmar"], check=True)
        built = next((build / "python" / "quelmar").glob("_quelmar.*.so"))
        target = pathlib.Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copy2(built, target)


setup(version=VERSION, ext_modules=[Extension("quelmar._quelmar", sources=[])], cmdclass={"build_ext": CMakeBuild})
