from os import PathLike
from typing import Any, Literal, Optional, Sequence, Union, overload

import numpy as np
import numpy.typing as npt

__version__: str

_Path = Union[str, PathLike[str]]
_Floats = npt.NDArray[np.float64]
_Wavelet = Literal["linear", "haar", "cubic"]
_Extend = Literal["reflect", "repeat", "zero"]

def forward(
    x: npt.ArrayLike,
    levels: int,
    *,
    out: Optional[_Floats] = None,
    wavelet: _Wavelet = "linear",
    extend: _Extend = "reflect",
) -> _Floats: ...
def inverse(
    c: npt.ArrayLike, levels: int, *, out: Optional[_Floats] = None, wavelet: _Wavelet = "linear"
) -> _Floats: ...
def level(c: _Floats, k: int) -> _Floats: ...
def approximation(c: _Floats, levels: int) -> _Floats: ...
def grid_size(n: int) -> int: ...
def noise_gains(J: int, levels: int, *, wavelet: _Wavelet = "linear") -> _Floats: ...
def estimate_noise(c: npt.ArrayLike, levels: int, *, wavelet: _Wavelet = "linear") -> _Floats: ...
def thresholds(
    c: npt.ArrayLike,
    levels: int,
    *,
    rule: Literal["universal", "sure", "bayes", "fixed"] = "universal",
    threshold: Optional[float] = None,
    wavelet: _Wavelet = "linear",
) -> _Floats: ...
def shrink(
    c: npt.ArrayLike,
    levels: int,
    thresholds: npt.ArrayLike,
    *,
    mode: Literal["hard", "soft"] = "hard",
    out: Optional[_Floats] = None,
) -> _Floats: ...
def denoise(
    x: npt.ArrayLike,
    levels: Optional[int] = None,
    *,
    rule: Literal["auto", "universal", "sure", "bayes", "fixed"] = "auto",
    shrink: Optional[Literal["hard", "soft"]] = None,
    shifts: int = 16,
    threshold: Optional[float] = None,
    wavelet: Optional[_Wavelet] = None,
    wiener: Union[bool, _Wavelet] = False,
    extend: _Extend = "reflect",
) -> tuple[_Floats, Union[dict[str, Any], list[dict[str, Any]]]]: ...
def read_samples(path: _Path, count: Optional[int] = None) -> _Floats: ...
def write_samples(path: _Path, x: npt.ArrayLike) -> None: ...
def import_signal(
    path: _Path,
    *,
    format: Optional[Literal["text", "csv", "audio", "mat", "npy"]] = None,
    column: Optional[Union[int, str]] = None,
    delimiter: Optional[str] = None,
    decimal_comma: Optional[bool] = None,
    skip_lines: Optional[int] = None,
    rows_as_series: bool = False,
    channel: Optional[Union[int, str]] = None,
    variable: str = "",
    axis: Optional[Literal["rows", "columns"]] = None,
    gaps: Literal["refuse", "fill", "drop"] = "refuse",
    extend: Optional[_Extend] = "reflect",
) -> tuple[_Floats, dict[str, Any]]: ...
@overload
def replay(recipe_path: _Path, input: Optional[_Path] = None) -> tuple[_Floats, list[dict[str, Any]]]: ...
@overload
def replay(recipe_path: _Path, input: Sequence[_Path]) -> list[tuple[_Floats, list[dict[str, Any]]]]: ...
