"""The interpolating lifting wavelet transform, its denoising rules and sample files.

The same code as the window and the batch command, so that their numbers
agree bit for bit. Every function takes any array-like of real numbers as
float64 and returns ``numpy.ndarray`` of float64.
"""

from ._quelmar import (
    __version__,
    approximation,
    denoise,
    estimate_noise,
    forward,
    grid_size,
    import_signal,
    inverse,
    level,
    noise_gains,
    read_samples,
    replay,
    shrink,
    thresholds,
    write_samples,
)

__all__ = [
    "approximation",
    "denoise",
    "estimate_noise",
    "forward",
    "grid_size",
    "import_signal",
    "inverse",
    "level",
    "noise_gains",
    "read_samples",
    "replay",
    "shrink",
    "thresholds",
    "write_samples",
]
