# The transforms keep their order of operations: no fused multiply-add, so
# the program, its tests and the fuzz targets compute the same doubles.
set(QUELMAR_ANALYSIS_OPTIONS -ffp-contract=off)
