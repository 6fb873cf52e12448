#include "bar/MODULSetApplicationBase.h"

#include <gtest/gtest.h>

using bar::MODULSetApplicationBase::ComputeAppBasePath;

TEST(AppBasePath, FolderAndNameWithoutExtension)
{
    EXPECT_EQ(ComputeAppBasePath("C:\\Bars\\tolvix.exe"), "C:\\Bars\\tolvix");
    EXPECT_EQ(ComputeAppBasePath("C:\\tolvix.exe"), "C:\\tolvix") << "a drive root keeps one backslash";
    EXPECT_EQ(ComputeAppBasePath("C:\\Program Files\\Bar\\TOLVIX.EXE"), "C:\\Program Files\\Bar\\TOLVIX");
}

TEST(AppBasePath, DottedNamesLoseOnlyTheirLastPart)
{
    EXPECT_EQ(ComputeAppBasePath("C:\\tol.vix.exe"), "C:\\tol");
    EXPECT_EQ(ComputeAppBasePath("D:\\Apps\\my.bar.exe"), "D:\\Apps\\my");
    EXPECT_EQ(ComputeAppBasePath("E:\\x\\a.b.c.exe"), "E:\\x\\a.b");
}
