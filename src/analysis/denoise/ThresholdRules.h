#pragma once
// The rules that choose a detail level's threshold from that level's noise
// level sigma and its coefficients c.

#include <cstdint>
#include <span>

namespace analysis {

enum class ThresholdRule {
    Universal,  // sigma sqrt(2 ln N): noise alone is unlikely to exceed it anywhere
    Sure,       // Stein's unbiased risk estimate for soft thresholding, hybrid
    Bayes,      // BayesShrink: sigma^2 / sigma_x
    Fixed,      // a threshold typed by the user, the same for every level
};

// sigma sqrt(2 ln n), n the signal's length (N = 2^J + 1); n >= 1.
double UniversalLevelThreshold(double sigma, int64_t n);

// SureShrink (Donoho and Johnstone 1995) on one level of d coefficients:
// with x = c / sigma, the t in [0, sqrt(2 ln d)] that minimises
//   SURE(t) = d - 2 #{|x_i| <= t} + sum min(|x_i|, t)^2,
// times sigma. A sparse level, where (sum x^2 - d) / d <= (log2 d)^1.5 / sqrt d,
// gets sigma sqrt(2 ln d) instead: there SURE's estimate is too noisy to trust.
// sigma = 0 or no coefficients give 0.
double SureThreshold(std::span<const double> c, double sigma);

// BayesShrink (Chang, Yu and Vetterli 2000): the signal's spread in the level
// sigma_x = sqrt(max(mean(c^2) - sigma^2, 0)) and T = sigma^2 / sigma_x; a
// level no larger than its noise (sigma_x = 0) gets its largest magnitude,
// which removes it. No coefficients give 0.
double BayesThreshold(std::span<const double> c, double sigma);

}  // namespace analysis
