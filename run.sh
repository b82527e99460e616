#!/usr/bin/env bash
# ./run.sh          install what is missing, build, start the tool
# ./run.sh test     build with sanitizers and run every test headless
# ./run.sh bench    build Release and run every benchmark (arguments pass through)
# ./run.sh fuzz [s] build the fuzz targets (clang) and run each for s seconds (60)
# ./run.sh python   build the quelmar Python module and print the PYTHONPATH line
# ./run.sh install  build Release and install quelmar-batch and Quelmar into
#                   $PREFIX/bin (default /usr/local as root, else ~/.local)
# ./run.sh soak [actions] [seed] [samples]
#                   a seeded random session through the window (the test build);
#                   with samples (e.g. 1048577) on one long signal, printing its memory
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)

packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev libgl-dev libgtest-dev libbenchmark-dev
          libsndfile1-dev libmatio-dev pybind11-dev python3-dev python3-numpy python3-pip python3-venv
          python3-setuptools python3-wheel git
          fonts-liberation fontconfig locales nlohmann-json3-dev libssl-dev libfmt-dev)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "run.sh: missing packages: ${missing[*]} (run as root to install them)" >&2
    return 1
  fi
  echo "run.sh: installing ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq >&2
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
}

configure_and_build() {  # dir, then cmake options
  local dir=$1; shift
  cmake -S "$root" -B "$dir" -G Ninja "$@" >&2
  cmake --build "$dir" >&2
}

mode=${1:-run}
[ $# -gt 0 ] && shift
# The test run checks the formatting; the fuzz targets need clang and its
# libFuzzer runtime.
[ "$mode" = test ] && packages+=(clang-format)
[ "$mode" = fuzz ] && packages+=(clang libclang-rt-14-dev)
# The denoising quality tables compare against PyWavelets and scikit-image,
# on made signals and on real ones: PyWavelets' and statsmodels' data sets
# and the speech recordings alsa-utils ships.
[ "$mode" = bench ] && packages+=(python3-pywt python3-numpy python3-skimage python3-statsmodels alsa-utils)
install_missing

case "$mode" in
  run)
    configure_and_build build/release -DCMAKE_BUILD_TYPE=Release -DQUELMAR_TESTS=OFF
    exec build/release/src/ui/Quelmar "$@"
    ;;
  install)
    configure_and_build build/release -DCMAKE_BUILD_TYPE=Release -DQUELMAR_TESTS=OFF
    default_prefix=$HOME/.local
    [ "$(id -u)" -eq 0 ] && default_prefix=/usr/local
    prefix=${PREFIX:-$default_prefix}
    cmake --install build/release --prefix "$prefix" >&2
    case ":$PATH:" in
      *":$prefix/bin:"*) ;;
      *) echo "run.sh: $prefix/bin is not on PATH; add it: export PATH=\"$prefix/bin:\$PATH\"" >&2 ;;
    esac
    ;;
  test)
    configure_and_build build/test -DCMAKE_BUILD_TYPE=Debug -DQUELMAR_SANITIZE=ON
    export QT_QPA_PLATFORM=offscreen
    cd build/test
    ctest --output-on-failure -j2 "$@"
    ;;
  bench)
    configure_and_build build/bench -DCMAKE_BUILD_TYPE=Release -DQUELMAR_TESTS=OFF -DQUELMAR_BENCH=ON
    export QT_QPA_PLATFORM=offscreen
    for program in build/bench/bench/bench_*; do
      [ -x "$program" ] && "$program" "$@"
    done
    # Mean RMSE of auto and every fixed configuration against PyWavelets on
    # the made signals, and of the batch's --auto against scikit-image on
    # real signals with noise added.
    PYTHONPATH=build/bench/python /usr/bin/python3 bench/denoise_quality.py build/bench/src/batch/quelmar-batch build/bench/denoise_quality
    # The module from Python against the same transform from C++, and its
    # denoising against PyWavelets' on one long signal.
    PYTHONPATH=build/bench/python /usr/bin/python3 bench/python_module.py build/bench/bench/bench_analysis \
      build/bench/python_module
    ;;
  soak)
    configure_and_build build/test -DCMAKE_BUILD_TYPE=Debug -DQUELMAR_SANITIZE=ON
    export QT_QPA_PLATFORM=offscreen QUELMAR_SOAK_ACTIONS=${1:-2000} QUELMAR_SOAK_SEED=${2:-$(date +%s)}
    export QUELMAR_SOAK_SAMPLES=${3:-} LSAN_OPTIONS=suppressions=$root/tests/leak_suppressions.txt:print_suppressions=0
    filter=SoakTest.RandomSessionsShowWhatTheModelSays
    [ -n "${3:-}" ] && filter=SoakTest.MemoryOnALongSignal
    echo "run.sh: soak of $QUELMAR_SOAK_ACTIONS actions, seed $QUELMAR_SOAK_SEED" >&2
    exec build/test/tests/ui/soak/test_ui_soak --gtest_filter="$filter"
    ;;
  python)
    # The Release build ./run.sh makes: only what changed is compiled.
    cmake -S "$root" -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUELMAR_TESTS=OFF >&2
    cmake --build build/release --target quelmar >&2
    echo "export PYTHONPATH=$root/build/release/python\${PYTHONPATH:+:\$PYTHONPATH}"
    ;;
  fuzz)
    CC=clang CXX=clang++ cmake -S "$root/fuzz" -B build/fuzz -G Ninja >&2
    cmake --build build/fuzz -j2 >&2
    fuzz/run_targets.sh build/fuzz "${1:-60}"
    ;;
  *)
    echo "usage: ./run.sh [test|bench [benchmark arguments]|fuzz [seconds]|python|install|soak [actions] [seed] [samples]]" >&2
    exit 2
    ;;
esac
