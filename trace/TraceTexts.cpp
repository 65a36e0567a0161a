#include "trace/TraceTexts.h"

#include "link/OperationTexts.h"

namespace zavo::trace::texts {

std::string communicateError() { return optext::communicateError(); }
std::string communicationTitle() { return optext::communicationTitle(); }

}  // namespace zavo::trace::texts
