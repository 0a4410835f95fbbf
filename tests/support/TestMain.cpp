#include <gtest/gtest.h>

#include <QtCore/QByteArray>
#include <cstdlib>

int main(int argc, char **argv)
{
    // No suite may need a display; widget suites run on the offscreen platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Tests never depend on the machine's printers.
    qputenv("PGX_VIRTUAL_PRINTER", "1");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
