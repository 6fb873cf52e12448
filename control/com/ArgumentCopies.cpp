#include "control/com/ArgumentCopies.h"

#include <oleauto.h>

namespace dralith {

bool hasReferenceArgument(const DISPPARAMS& params)
{
    for (UINT i = 0; i < params.cArgs; ++i) {
        if (V_VT(&params.rgvarg[i]) & VT_BYREF)
            return true;
    }
    return false;
}

ArgumentCopies::ArgumentCopies(const DISPPARAMS& params)
    : values_(params.cArgs)
{
    for (UINT i = 0; i < params.cArgs; ++i) {
        VariantInit(&values_[i]);
        // A reference that cannot be read is passed on unchanged and refused by the library.
        if (FAILED(VariantCopyInd(&values_[i], &params.rgvarg[i])))
            VariantCopy(&values_[i], &params.rgvarg[i]);
    }
    copy_ = params;
    copy_.rgvarg = values_.empty() ? nullptr : values_.data();
}

ArgumentCopies::~ArgumentCopies()
{
    for (VARIANT& value : values_)
        VariantClear(&value);
}

} // namespace dralith
