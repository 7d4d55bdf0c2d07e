#include <QApplication>
#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>

// One QApplication for every GUI test, on Qt's offscreen platform unless the
// environment names another.
int main(int argc, char** argv)
{
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
