#include "tests/e2e/bar/MenuCheck.h"

#include "tests/e2e/common/Poll.h"

namespace bar_probe {
namespace {

std::string SizeText(const e2e::Image& image)
{
    return image.empty() ? "(not captured)" : std::to_string(image.width) + "x" + std::to_string(image.height);
}

std::string DifferenceText(long different)
{
    return different < 0 ? "sizes differ" : std::to_string(different) + " pixels differ";
}

} // namespace

void CheckMenuMatches(e2e::Report& report, Artifacts& artifacts, HWND menu, const std::string& caseName,
    const std::string& imageName, const std::vector<MenuEntry>& entries, int defaultIndex, const std::string& described)
{
    const e2e::Image actual = CaptureWhenSteady(menu, 3000);
    RECT r = {};
    GetWindowRect(menu, &r);
    const std::string actualPath = artifacts.SaveImage(imageName + "-bar", actual);
    // The bar's menu goes before the reference is drawn at the same place.
    PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    e2e::WaitFor(3000, [&] { return !IsWindowVisible(menu); });

    const POINT at = {r.left, r.top};
    const e2e::Image reference = RenderReferenceMenu(at, entries, defaultIndex);
    const std::string referencePath = artifacts.SaveImage(imageName + "-reference", reference);
    const long different = e2e::CountDifferentPixels(actual, reference);
    std::string defaultSeen;
    long differentWithoutDefault = 1;
    if (defaultIndex >= 0) {
        differentWithoutDefault = e2e::CountDifferentPixels(actual, RenderReferenceMenu(at, entries, -1));
        defaultSeen = "; against the same without a default entry " + DifferenceText(differentWithoutDefault);
    }
    report.Check(caseName, !actual.empty() && !reference.empty() && different == 0 && differentWithoutDefault != 0,
        DifferenceText(different) + ": bar's menu " + SizeText(actual) + ", reference " + described + " " +
            SizeText(reference) + defaultSeen +
            (actualPath.empty() ? "" : "; images " + actualPath + ", " + referencePath));
}

} // namespace bar_probe
