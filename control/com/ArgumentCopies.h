#pragma once
// By-value copies of the arguments of one IDispatch::Invoke call.
#include <oaidl.h>

#include <vector>

namespace dralith {

bool hasReferenceArgument(const DISPPARAMS& params);

class ArgumentCopies {
public:
    explicit ArgumentCopies(const DISPPARAMS& params);
    ~ArgumentCopies();
    ArgumentCopies(const ArgumentCopies&) = delete;
    ArgumentCopies& operator=(const ArgumentCopies&) = delete;

    DISPPARAMS* parameters() { return &copy_; }

private:
    std::vector<VARIANT> values_;
    DISPPARAMS copy_ {};
};

} // namespace dralith
