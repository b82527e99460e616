// The noise model, the rules and the denoising entry point.

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <optional>
#include <string>
#include <vector>

#include "analysis/denoise/AutoChoice.h"
#include "analysis/denoise/Denoise.h"
#include "analysis/transform/DyadicSignal.h"
#include "analysis/denoise/DenoiseNames.h"
#include "analysis/transform/LevelGeometry.h"
#include "analysis/denoise/NoiseEstimate.h"
#include "analysis/transform/NoiseGains.h"
#include "python/ArrayArguments.h"
#include "python/ModuleParts.h"

namespace python {
namespace {

py::array_t<double> ArrayOf(const std::vector<double>& values) {
    py::array_t<double> array(static_cast<py::ssize_t>(values.size()));
    std::copy(values.begin(), values.end(), array.mutable_data());
    return array;
}

analysis::ThresholdRule RuleOf(const std::string& name) {
    const std::optional<analysis::ThresholdRule> rule = analysis::RuleNamed(name);
    if (!rule) throw py::value_error("rule must be 'universal', 'sure', 'bayes' or 'fixed', not '" + name + "'");
    return *rule;
}

analysis::Shrink ShrinkOf(const std::string& name) {
    const std::optional<analysis::Shrink> shrink = analysis::ShrinkNamed(name);
    if (!shrink) throw py::value_error("shrink must be 'hard' or 'soft', not '" + name + "'");
    return *shrink;
}

// The rule's options, with the threshold only for the fixed rule.
analysis::DenoiseOptions RuleOptions(int32_t levels, const std::string& rule, std::optional<double> threshold) {
    analysis::DenoiseOptions options;
    options.levels = levels;
    options.rule = RuleOf(rule);
    if ((options.rule == analysis::ThresholdRule::Fixed) != threshold.has_value()) {
        throw py::value_error("threshold is given with rule='fixed' and only then");
    }
    options.fixedThreshold = threshold.value_or(0.0);
    return options;
}

// The report's columns, one entry per view item it covers.
py::dict ReportOf(const analysis::DenoiseResult& result) {
    std::vector<double> level, sigma, threshold, zeroed, total, kept, risk;
    for (const analysis::LevelReport& item : result.levels) {
        level.push_back(item.level);
        sigma.push_back(item.sigma);
        threshold.push_back(item.threshold);
        zeroed.push_back(static_cast<double>(item.zeroed));
        total.push_back(static_cast<double>(item.total));
        kept.push_back(item.energyKept);
        risk.push_back(item.risk);
    }
    py::dict report;
    report["sample_sigma"] = result.sampleSigma;
    report["level"] = ArrayOf(level).attr("astype")("int64");
    report["sigma"] = ArrayOf(sigma);
    report["threshold"] = ArrayOf(threshold);
    report["zeroed"] = ArrayOf(zeroed).attr("astype")("int64");
    report["total"] = ArrayOf(total).attr("astype")("int64");
    report["energy_kept"] = ArrayOf(kept);
    report["risk"] = ArrayOf(risk);
    return report;
}

// denoise's keywords, for each signal it is given.
struct DenoiseArguments {
    std::optional<int32_t> levels;
    std::string rule;
    std::optional<std::string> shrink;
    int32_t shifts;
    std::optional<double> threshold;
    std::optional<std::string> wavelet;
    py::object wiener;
    std::string extend;
};

// One signal denoised: the samples and the report. name is the argument's in messages.
py::tuple DenoiseOne(const py::handle& x, const char* name, const DenoiseArguments& a) {
    const SignalArray grid = SignalOnGrid(x, name, a.extend);
    const SignalArray signal = ReadableSignal(grid.array, name);
    const py::ssize_t n = grid.n;
    CheckLevels(a.levels.value_or(signal.j), signal.j);
    const bool automatic = a.rule == "auto";
    if (!automatic && !analysis::RuleNamed(a.rule)) {
        throw py::value_error("rule must be 'auto', 'universal', 'sure', 'bayes' or 'fixed', not '" + a.rule + "'");
    }
    analysis::DenoiseOptions options =
        RuleOptions(a.levels.value_or(signal.j), automatic ? "universal" : a.rule, a.threshold);
    options.shrink = ShrinkOf(a.shrink.value_or("hard"));
    if (a.shifts < 1 || a.shifts > analysis::kMaxShifts) {
        throw py::value_error("shifts must be from 1 to " + std::to_string(analysis::kMaxShifts) + ", not " +
                              std::to_string(a.shifts));
    }
    options.shifts = a.shifts;
    options.wavelet = WaveletOf(a.wavelet.value_or("linear"));
    // True: the second stage by the first one's transform.
    if (py::isinstance<py::bool_>(a.wiener)) {
        if (a.wiener.cast<bool>()) options.wiener = options.wavelet;
    } else if (!a.wiener.is_none()) {
        options.wiener = WaveletOf(py::str(a.wiener));
    }
    analysis::AutoFixed fixed;
    if (a.wavelet) fixed.wavelet = options.wavelet;
    if (a.shrink) fixed.shrink = options.shrink;
    analysis::DenoiseResult result;
    {
        py::gil_scoped_release unlocked;
        if (automatic) options = analysis::ChooseAutomatically(signal.ConstData(), signal.j, options, fixed).options;
        result = analysis::Denoise(signal.ConstData(), signal.j, options);
    }
    py::dict report = ReportOf(result);
    report["wavelet"] = std::string(analysis::WaveletName(options.wavelet));
    report["rule"] = std::string(analysis::RuleName(options.rule));
    report["shrink"] = std::string(analysis::ShrinkName(options.shrink));
    report["wiener"] = options.wiener ? py::object(py::str(std::string(analysis::WaveletName(*options.wiener))))
                                      : py::object(py::none());
    // The signal's own samples, without the extension to the grid.
    result.signal.resize(static_cast<std::size_t>(n));
    return py::make_tuple(ArrayOf(result.signal), report);
}

}  // namespace

void AddDenoiseFunctions(py::module_& module) {
    module.def(
        "noise_gains",
        [](int32_t j, int32_t levels, const std::string& wavelet) {
            if (j < 2 || j > analysis::kMaxOrder) {
                throw py::value_error("J must be from 2 to " + std::to_string(analysis::kMaxOrder) + ", not " +
                                      std::to_string(j));
            }
            CheckLevels(levels, j);
            return ArrayOf(analysis::NoiseGains(j, levels, WaveletOf(wavelet)));
        },
        py::arg("J"), py::arg("levels"), py::kw_only(), py::arg("wavelet") = "linear",
        R"(How much unit white noise on the samples each level of the transform keeps.

Parameters
----------
J : int
    The signal has 2**J + 1 samples, 2 <= J <= 26.
levels : int
    The levels of the decomposition, 1 ... J.
wavelet : {'linear', 'haar', 'cubic'}
    The transform.

Returns
-------
numpy.ndarray
    levels + 1 standard deviations: levels 1 ... levels, then the approximation.
)");
    module.def(
        "estimate_noise",
        [](const ArrayLike& c, int32_t levels, const std::string& waveletName) {
            const SignalArray signal = ReadableSignal(c.value, "c");
            CheckLevels(levels, signal.j);
            const analysis::Wavelet wavelet = WaveletOf(waveletName);
            const double sample = analysis::SampleNoiseOf(signal.ConstData(), signal.j, wavelet);
            std::vector<double> gains = analysis::NoiseGains(signal.j, levels, wavelet);
            gains.pop_back();
            for (double& gain : gains) gain *= sample;
            return ArrayOf(gains);
        },
        py::arg("c"), py::arg("levels"), py::kw_only(), py::arg("wavelet") = "linear",
        R"(The noise of each detail level of a decomposition, from its finest details.

The noise on the samples is median(|d|) / 0.6745 over the level-1 details,
divided by that level's gain; level k's noise is it times level k's gain.

Parameters
----------
c : array_like
    A decomposition (``forward(x, levels)``), as float64.
levels : int
    Its levels, 1 ... J.
wavelet : {'linear', 'haar', 'cubic'}
    The transform ``c`` was made with.

Returns
-------
numpy.ndarray
    The noise standard deviation of levels 1 ... levels.
)");
    module.def(
        "thresholds",
        [](const ArrayLike& c, int32_t levels, const std::string& rule, std::optional<double> threshold,
           const std::string& wavelet) {
            const SignalArray signal = ReadableSignal(c.value, "c");
            CheckLevels(levels, signal.j);
            analysis::DenoiseOptions options = RuleOptions(levels, rule, threshold);
            options.wavelet = WaveletOf(wavelet);
            const double* data = signal.ConstData();
            analysis::LevelChoice choice;
            {
                py::gil_scoped_release unlocked;
                choice = analysis::ChooseLevelThresholds(data, signal.j, options);
            }
            return ArrayOf(choice.thresholds);
        },
        py::arg("c"), py::arg("levels"), py::kw_only(), py::arg("rule") = "universal",
        py::arg("threshold") = py::none(), py::arg("wavelet") = "linear",
        R"(Each detail level's threshold by a rule, as ``denoise`` chooses it.

Parameters
----------
c : array_like
    A decomposition (``forward(x, levels)``), as float64.
levels : int
    Its levels, 1 ... J.
rule : {'universal', 'sure', 'bayes', 'fixed'}
    The rule, from each level's own noise (``estimate_noise``).
threshold : float, optional
    The threshold of every level, with rule='fixed' only.
wavelet : {'linear', 'haar', 'cubic'}
    The transform ``c`` was made with.

Returns
-------
numpy.ndarray
    The thresholds of levels 1 ... levels.
)");
    module.def(
        "shrink",
        [](const ArrayLike& c, int32_t levels, const ArrayLike& thresholds, const std::string& mode,
           const std::optional<py::array>& out) {
            const SignalArray source = Signal(c.value, "c");
            SignalArray target = out ? SignalInPlace(*out, "out", true) : source;
            if (source.j != target.j) throw py::value_error("out and c differ in length");
            CheckLevels(levels, target.j);
            RequireFinite(source, "c");
            const std::vector<double> given = ValuesOf(thresholds.value, "thresholds");
            if (given.size() != static_cast<std::size_t>(levels) &&
                given.size() != static_cast<std::size_t>(levels) + 1) {
                throw py::value_error("thresholds must hold one value per level (" + std::to_string(levels) +
                                      "), or one more for the approximation, not " + std::to_string(given.size()));
            }
            analysis::DenoiseOptions options;
            options.levels = levels;
            options.shrink = ShrinkOf(mode);
            options.itemThresholds.assign(given.begin(), given.end());
            options.itemThresholds.resize(static_cast<std::size_t>(levels) + 1);
            // Every refusal comes before out is written.
            analysis::CheckDenoiseOptions(target.j, options);
            if (!out) {
                target = CopiedSignal(source.array, "c");
            } else {
                CopyInto(source, target.Data());
            }
            double* data = target.Data();
            {
                py::gil_scoped_release unlocked;
                analysis::ShrinkDecomposition(data, target.j, options, analysis::LevelChoice{});
            }
            return target.array;
        },
        py::arg("c"), py::arg("levels"), py::arg("thresholds"), py::kw_only(), py::arg("mode") = "hard",
        py::arg("out") = py::none(),
        R"(Shrink each level of a decomposition by its threshold, as ``denoise`` does.

Parameters
----------
c : array_like
    A decomposition (``forward(x, levels)``), as float64.
levels : int
    Its levels, 1 ... J.
thresholds : array_like of float
    One threshold per detail level 1 ... levels, and optionally one more for
    the approximation (which is otherwise kept).
mode : {'hard', 'soft'}
    Hard keeps a coefficient above its threshold; soft also moves it towards zero.
out : numpy.ndarray of float64, optional
    A C-contiguous, writeable array for the result; it may be ``c`` itself.

Returns
-------
numpy.ndarray
    The shrunk decomposition; ``inverse`` rebuilds the signal from it.
)");
    module.def(
        "denoise",
        [](const ArrayLike& x, std::optional<int32_t> levels, const std::string& rule,
           const std::optional<std::string>& shrink, int32_t shifts, std::optional<double> threshold,
           const std::optional<std::string>& wavelet, const py::object& wiener, const std::string& extend) {
            const DenoiseArguments arguments{levels, rule, shrink, shifts, threshold, wavelet, wiener, extend};
            const py::array given = py::module_::import("numpy").attr("asarray")(x.value);
            if (given.ndim() != 2) return DenoiseOne(given, "x", arguments);
            // Samples x channels, as import_signal gives every channel: each column alone.
            const py::ssize_t n = given.shape(0);
            const py::ssize_t columns = given.shape(1);
            py::array_t<double> signals({n, columns});
            auto out = signals.mutable_unchecked<2>();
            py::list reports;
            for (py::ssize_t c = 0; c < columns; ++c) {
                const std::string name = "x[:, " + std::to_string(c) + "]";
                const py::object column = given[py::make_tuple(py::slice(py::none(), py::none(), py::none()), c)];
                const py::tuple one = DenoiseOne(column, name.c_str(), arguments);
                const auto signal = one[0].cast<py::array_t<double>>().unchecked<1>();
                for (py::ssize_t i = 0; i < n; ++i) out(i, c) = signal(i);
                reports.append(one[1]);
            }
            return py::make_tuple(signals, reports);
        },
        py::arg("x"), py::arg("levels") = py::none(), py::kw_only(), py::arg("rule") = "auto",
        py::arg("shrink") = py::none(), py::arg("shifts") = analysis::kAutoShifts, py::arg("threshold") = py::none(),
        py::arg("wavelet") = py::none(), py::arg("wiener") = false, py::arg("extend") = "reflect",
        R"(Denoise a signal: decompose, shrink each detail level, rebuild.

Each detail level's threshold comes from its own noise (the transform is not
orthonormal), chosen by the rule; with several shifts the same is done on
shifted copies and averaged (translation-invariant denoising). By default
the transform, rule, shrinkage and Wiener stage are chosen from the noisy
signal by Stein's unbiased risk estimate, as the batch command's ``--auto``
chooses them; the batch and the window's Denoise panel call the same code.

Parameters
----------
x : array_like
    The n >= 2 samples, all finite, as float64; unless n is 2**J + 1 they
    are extended to the grid ``grid_size(n)`` as ``forward`` extends them.
    A 2-D array (n samples x channels, as ``import_signal`` gives every
    channel or several columns) is denoised a column at a time, each as if
    given alone, as the batch command's ``--channel all`` denoises them.
levels : int, optional
    The levels to decompose, 1 ... J; J by default.
rule : {'auto', 'universal', 'sure', 'bayes', 'fixed'}
    How each level's threshold is chosen; 'auto' chooses the rule and, unless
    given, the shrinkage, the transform and the Wiener stage.
shrink : {'hard', 'soft'}, optional
    Hard (the default) keeps a coefficient above the threshold; soft also
    moves it towards zero.
shifts : int
    1 for the plain decomposition, up to 256.
threshold : float, optional
    The threshold of every level, with rule='fixed' only.
wavelet : {'linear', 'haar', 'cubic'}, optional
    The transform (see ``forward``); 'linear' by default.
wiener : bool or {'linear', 'haar', 'cubic'}
    Follow the thresholding by an empirical Wiener stage: the thresholded
    result is a pilot whose coefficients set each coefficient's gain; by the
    transform named, or by ``wavelet`` when True.
extend : {'reflect', 'repeat', 'zero'}
    How a signal that is not 2**J + 1 long is extended to the grid.

Returns
-------
signal : numpy.ndarray
    The n denoised samples; of a 2-D x, n x channels.
report : dict or list of dict
    ``sample_sigma``, the noise estimated on the samples, and one entry per
    level of the plain decomposition in the arrays ``level``, ``sigma``,
    ``threshold``, ``zeroed``, ``total``, ``energy_kept`` and ``risk`` (Stein's
    estimate of the squared error per coefficient the shrinking leaves); and the
    configuration that ran: ``wavelet``, ``rule``, ``shrink`` and ``wiener``
    (the second stage's transform, or None). Of a 2-D x, a list with each
    column's report, in order.
)");
}

}  // namespace python
