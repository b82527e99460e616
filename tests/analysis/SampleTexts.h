#pragma once
// Sample-file texts built from pieces that meet every rule of the number
// syntax and of the reading: signs with blanks after them, points, exponents
// with and without digits, values beyond and below the double range, long
// mantissas, plain numbers for the quick scan, words, CR LF and Ctrl-Z.

#include <random>
#include <string>
#include <vector>

namespace analysis::test {

inline std::string RandomSampleText(std::mt19937& random) {
    static const std::vector<std::string> pieces = {
        "1",
        "23",
        "-",
        "+",
        " ",
        "\n",
        "\t",
        "\r\n",
        ".",
        "e",
        "E",
        "5",
        "0",
        "x",
        "1e400",
        "1e-400",
        "-1e308",
        "1.7976931348623157e308",
        "1.8e308",
        "2e307",
        std::string(310, '9'),
        "0." + std::string(400, '0') + "1",
        std::string(250, '1') + "e-100",
        "e5",
        "1e+",
        "3e-2",
        ".25",
        "5.",
        "\x1A",
        "nan",
        ",",
        "1e999",
        "00001",
        "-12.625",
        "3.1415926535897932",
        "+0.001e-5",
        "98765432.1",
        "12345678901234567890123",
        "word",
    };
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    std::uniform_int_distribution<int> length(1, 40);
    std::string text;
    for (int i = length(random); i > 0; --i) {
        text += pieces[pick(random)];
        // Mostly well separated numbers, so that the counts grow beyond one.
        if (random() % 3 != 0) text += random() % 2 ? " " : "\n";
    }
    return text;
}

}  // namespace analysis::test
