#include "import/MatImport.h"

#include <matio.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <type_traits>

#include "analysis/transform/DyadicSignal.h"
#include "analysis/io/FileDescriptor.h"
#include "analysis/io/FileError.h"
#include "import/ImportError.h"
#include "import/MatExtent.h"
#include "import/SourceFile.h"

namespace importer {
namespace {

struct CloseMat {
    void operator()(mat_t* file) const { Mat_Close(file); }
};
struct FreeVariable {
    void operator()(matvar_t* variable) const { Mat_VarFree(variable); }
};
using MatFile = std::unique_ptr<mat_t, CloseMat>;
using MatVar = std::unique_ptr<matvar_t, FreeVariable>;

MatFile OpenMat(const std::string& fileName) {
    MatFile file(Mat_Open(fileName.c_str(), MAT_ACC_RDONLY));
    if (!file) throw ImportFailure("it is not a MATLAB file");
    return file;
}

MatLayout LayoutOf(mat_t* file) {
    switch (Mat_GetVersion(file)) {
    case MAT_FT_MAT4: return MatLayout::Version4;
    case MAT_FT_MAT73: return MatLayout::Hdf5;
    default: return MatLayout::Version5;
    }
}

const char* TypeName(matio_classes type) {
    switch (type) {
    case MAT_C_DOUBLE: return "double";
    case MAT_C_SINGLE: return "single";
    case MAT_C_INT8: return "int8";
    case MAT_C_UINT8: return "uint8";
    case MAT_C_INT16: return "int16";
    case MAT_C_UINT16: return "uint16";
    case MAT_C_INT32: return "int32";
    case MAT_C_UINT32: return "uint32";
    case MAT_C_INT64: return "int64";
    case MAT_C_UINT64: return "uint64";
    default: return nullptr;
    }
}

bool IsNumeric(const matvar_t& variable) {
    return TypeName(variable.class_type) != nullptr && variable.rank == 2 && !variable.isComplex &&
           !variable.isLogical && variable.dims[0] > 0 && variable.dims[1] > 0;
}

// Reads values.size() items from the variable's start-th on, every
// stride-th, into values. A buffer the library leaves partly unread holds zeros, never what memory held
// before; MatVariableShortfall has made sure that the file holds them all.
template <class T>
void ReadItems(mat_t* file, matvar_t& variable, int start, int stride, Samples& values) {
    std::vector<T> items;
    T* into = nullptr;
    if constexpr (std::is_same_v<T, double>) {
        into = values.data();
    } else {
        items.resize(values.size());
        into = items.data();
    }
    if (Mat_VarReadDataLinear(file, &variable, into, start, stride, static_cast<int>(values.size())) != 0) {
        throw ImportFailure("its variable \"" + analysis::ShownName(variable.name) + "\" cannot be read");
    }
    if constexpr (!std::is_same_v<T, double>) std::copy(items.begin(), items.end(), values.begin());
}

void ReadSignal(mat_t* file, matvar_t& variable, int start, int stride, Samples& values) {
    switch (variable.class_type) {
    case MAT_C_DOUBLE: return ReadItems<double>(file, variable, start, stride, values);
    case MAT_C_SINGLE: return ReadItems<float>(file, variable, start, stride, values);
    case MAT_C_INT8: return ReadItems<int8_t>(file, variable, start, stride, values);
    case MAT_C_UINT8: return ReadItems<uint8_t>(file, variable, start, stride, values);
    case MAT_C_INT16: return ReadItems<int16_t>(file, variable, start, stride, values);
    case MAT_C_UINT16: return ReadItems<uint16_t>(file, variable, start, stride, values);
    case MAT_C_INT32: return ReadItems<int32_t>(file, variable, start, stride, values);
    case MAT_C_UINT32: return ReadItems<uint32_t>(file, variable, start, stride, values);
    case MAT_C_INT64: return ReadItems<int64_t>(file, variable, start, stride, values);
    default: return ReadItems<uint64_t>(file, variable, start, stride, values);
    }
}

// The numeric variables with where each stands among all the file's
// variables, and what the library told of each, to read it from.
struct Listed {
    MatVariable variable;
    std::size_t entry = 0;
    MatVar info;
};

std::vector<Listed> ListNumeric(mat_t* file) {
    std::vector<Listed> listed;
    for (std::size_t entry = 0;; ++entry) {
        MatVar info{Mat_VarReadNextInfo(file)};
        if (!info) break;
        if (!IsNumeric(*info) || info->name == nullptr) continue;
        MatVariable variable{info->name, static_cast<int64_t>(info->dims[0]), static_cast<int64_t>(info->dims[1]),
                             TypeName(info->class_type)};
        listed.push_back(Listed{std::move(variable), entry, std::move(info)});
    }
    return listed;
}

}  // namespace

std::vector<MatVariable> ListMatVariables(const std::string& fileName) {
    // Only a regular file: the library would wait on a pipe.
    int64_t fileBytes = 0;
    const analysis::FileDescriptor check(OpenSourceFile(fileName, fileBytes));
    const MatFile file = OpenMat(fileName);
    std::vector<MatVariable> variables;
    for (Listed& listed : ListNumeric(file.get())) variables.push_back(std::move(listed.variable));
    return variables;
}

Samples ReadMatVariable(const std::string& fileName, const std::string& name, int64_t index,
                        std::optional<ArrayAxis> axis, MatVariable* chosenOut) {
    int64_t fileBytes = 0;
    const analysis::FileDescriptor fd(OpenSourceFile(fileName, fileBytes));
    const MatFile file = OpenMat(fileName);
    std::vector<Listed> variables = ListNumeric(file.get());
    auto chosen = std::find_if(variables.begin(), variables.end(), [&](const Listed& listed) {
        return name.empty() ? listed.variable.Vector() : listed.variable.name == name;
    });
    if (chosen == variables.end() && name.empty()) chosen = variables.begin();
    if (chosen == variables.end()) {
        if (variables.empty()) throw ImportFailure("it holds no numeric vector or matrix");
        throw ImportFailure("it holds no numeric vector or matrix \"" + analysis::ShownName(name) + "\"");
    }
    const MatVariable& variable = chosen->variable;
    const std::string shown = analysis::QuotedName(variable.name);
    if (chosenOut) *chosenOut = variable;
    const int64_t rows = variable.rows;
    const ArrayAxis along = SignalAxis(axis, rows, variable.columns);
    const auto [count, length] = SignalsOf(along, rows, variable.columns);
    const std::string word = SignalWord(along);
    if (index > count) {
        throw ImportFailure("there is no " + word + " " + std::to_string(index) + ": " + shown + " has " +
                            std::to_string(count) + " " + word + (count == 1 ? "" : "s"));
    }
    if (length > analysis::kMaxSamples) {
        throw ImportFailure(shown + " has " + std::to_string(length) + " samples, more than the " +
                            std::to_string(analysis::kMaxSamples) + " a signal may have");
    }
    // MATLAB keeps a matrix's columns together: a column's items follow one
    // another, a row's are a column apart. The reader counts items in ints.
    const int64_t k = variable.Vector() ? 0 : (index <= 0 ? count : index) - 1;
    const bool eachRow = !variable.Vector() && along == ArrayAxis::Rows;
    const int64_t first = eachRow ? k : k * rows;
    const int64_t stride = eachRow ? rows : 1;
    const int64_t last = first + (length - 1) * stride;
    if (last >= std::numeric_limits<int>::max()) {
        throw ImportFailure(shown + " has " + std::to_string(rows * variable.columns) +
                            " values, more than can be read");
    }
    const std::string shortfall =
        MatVariableShortfall(fd.Get(), fileName, LayoutOf(file.get()), chosen->entry, static_cast<uint64_t>(last + 1));
    if (!shortfall.empty()) {
        throw ImportFailure("the variable " + shown + " is shorter than its header claims: " + shortfall);
    }
    // A copy: a structured binding cannot be captured.
    const auto size = static_cast<std::size_t>(length);
    Samples values = fw::MapOutOfMemory([size] { return Samples(size); });
    ReadSignal(file.get(), *chosen->info, static_cast<int>(first), static_cast<int>(stride), values);
    return values;
}

}  // namespace importer
