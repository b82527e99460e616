#include "import/MatImport.h"

#include <matio.h>

#include <algorithm>
#include <memory>

#include "analysis/transform/DyadicSignal.h"
#include "analysis/io/FileDescriptor.h"
#include "import/ImportError.h"
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
    // Only a regular file: matio would wait on a pipe.
    int64_t fileBytes = 0;
    { const analysis::FileDescriptor check(OpenSourceFile(fileName, fileBytes)); }
    MatFile file(Mat_Open(fileName.c_str(), MAT_ACC_RDONLY));
    if (!file) throw ImportFailure("it is not a MATLAB file");
    return file;
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

template <class T>
void Convert(const void* data, std::size_t first, Samples& values) {
    const T* items = static_cast<const T*>(data) + first;
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = static_cast<double>(items[i]);
}

void ConvertColumn(const matvar_t& variable, std::size_t first, Samples& values) {
    switch (variable.class_type) {
    case MAT_C_DOUBLE: return Convert<double>(variable.data, first, values);
    case MAT_C_SINGLE: return Convert<float>(variable.data, first, values);
    case MAT_C_INT8: return Convert<int8_t>(variable.data, first, values);
    case MAT_C_UINT8: return Convert<uint8_t>(variable.data, first, values);
    case MAT_C_INT16: return Convert<int16_t>(variable.data, first, values);
    case MAT_C_UINT16: return Convert<uint16_t>(variable.data, first, values);
    case MAT_C_INT32: return Convert<int32_t>(variable.data, first, values);
    case MAT_C_UINT32: return Convert<uint32_t>(variable.data, first, values);
    case MAT_C_INT64: return Convert<int64_t>(variable.data, first, values);
    default: return Convert<uint64_t>(variable.data, first, values);
    }
}

}  // namespace

std::vector<MatVariable> ListMatVariables(const std::string& fileName) {
    const MatFile file = OpenMat(fileName);
    std::vector<MatVariable> variables;
    while (MatVar info{Mat_VarReadNextInfo(file.get())}) {
        if (!IsNumeric(*info) || info->name == nullptr) continue;
        variables.push_back(MatVariable{info->name, static_cast<int64_t>(info->dims[0]),
                                        static_cast<int64_t>(info->dims[1]), TypeName(info->class_type)});
    }
    return variables;
}

Samples ReadMatVariable(const std::string& fileName, const std::string& name, int64_t column, MatVariable* chosenOut) {
    const std::vector<MatVariable> variables = ListMatVariables(fileName);
    auto chosen = std::find_if(variables.begin(), variables.end(), [&](const MatVariable& variable) {
        return name.empty() ? variable.Vector() : variable.name == name;
    });
    if (chosen == variables.end() && name.empty()) chosen = variables.begin();
    if (chosen == variables.end()) {
        if (variables.empty()) throw ImportFailure("it holds no numeric vector or matrix");
        throw ImportFailure("it holds no numeric vector or matrix \"" + name + "\"");
    }
    if (chosenOut) *chosenOut = *chosen;
    const int64_t columns = chosen->Vector() ? 1 : chosen->columns;
    if (column > columns) {
        throw ImportFailure("there is no column " + std::to_string(column) + ": \"" + chosen->name + "\" has " +
                            std::to_string(columns) + (columns == 1 ? " column" : " columns"));
    }
    const int64_t length = chosen->Length();
    if (length > analysis::kMaxSamples) {
        throw ImportFailure("\"" + chosen->name + "\" has " + std::to_string(length) + " samples, more than the " +
                            std::to_string(analysis::kMaxSamples) + " a signal may have");
    }
    const MatFile file = OpenMat(fileName);
    const MatVar variable{Mat_VarRead(file.get(), chosen->name.c_str())};
    if (!variable || variable->data == nullptr || !IsNumeric(*variable)) {
        throw ImportFailure("its variable \"" + chosen->name + "\" cannot be read");
    }
    Samples values = fw::MapOutOfMemory([length] { return Samples(static_cast<std::size_t>(length)); });
    // MATLAB keeps a matrix's columns together.
    const int64_t index = chosen->Vector() ? 0 : (column <= 0 ? columns : column) - 1;
    ConvertColumn(*variable, static_cast<std::size_t>(index * chosen->rows), values);
    return values;
}

}  // namespace importer
