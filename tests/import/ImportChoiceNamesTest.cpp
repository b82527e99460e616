// The import choices by name: what ChoiceTexts records, SetChoice reads back
// to the same choices, and the format is recorded even when left open.

#include <gtest/gtest.h>

#include "import/ImportChoiceNames.h"

namespace importer {
namespace {

ImportChoices ReadBack(const std::map<std::string, std::string>& texts) {
    ImportChoices choices;
    for (const auto& [name, text] : texts) EXPECT_EQ(SetChoice(choices, name, text), "") << name << "=" << text;
    return choices;
}

TEST(ImportChoiceNames, RecordedChoicesReadBackTheSame) {
    ImportChoices text;
    text.text = {Delimiter::Tab, false, 0, "mV", true};
    text.extension = Extension::Zero;
    text.gaps = Gaps::Drop;
    ImportChoices audio;
    audio.kind = SourceKind::Audio;
    audio.channel = "2";
    audio.extension = Extension::Repeat;
    ImportChoices mat;
    mat.kind = SourceKind::Mat;
    mat.variable = "x";
    mat.text.column = "3";
    mat.text.decimalComma = true;
    mat.axis = ArrayAxis::Rows;
    mat.gaps = Gaps::Fill;
    for (const ImportChoices& choices : {text, audio, mat, ImportChoices()}) {
        const ImportChoices back = ReadBack(ChoiceTexts(choices, "a.tsv"));
        EXPECT_EQ(back.kind, choices.kind.value_or(SourceKind::Text));  // from the name when open
        EXPECT_EQ(back.text.delimiter, choices.text.delimiter);
        EXPECT_EQ(back.text.decimalComma, choices.text.decimalComma);
        EXPECT_EQ(back.text.skipLines, choices.text.skipLines);
        EXPECT_EQ(back.text.column, choices.text.column);
        EXPECT_EQ(back.text.rowsAsSeries, choices.text.rowsAsSeries);
        EXPECT_EQ(back.axis, choices.axis);
        EXPECT_EQ(back.gaps, choices.gaps);
        EXPECT_EQ(back.channel, choices.channel);
        EXPECT_EQ(back.variable, choices.variable);
        EXPECT_EQ(back.extension, choices.extension);
    }
    // Choices left open are not recorded, as in recipes from before them.
    EXPECT_EQ(ChoiceTexts(ImportChoices(), "s.npy"),
              (std::map<std::string, std::string>{{"format", "npy"}, {"extend", "reflect"}}));
    ImportChoices any;
    EXPECT_EQ(SetChoice(any, "colour", "red").rfind("not an import choice", 0), 0u);
}

}  // namespace
}  // namespace importer
