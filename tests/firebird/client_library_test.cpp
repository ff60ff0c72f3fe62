#include "update/firebird/client_library.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cstdlib>

namespace akt {
namespace {

// Sets AKT_FBCLIENT for one test and restores the previous state afterwards.
class ClientLibraryOverride {
public:
    explicit ClientLibraryOverride(const QByteArray& fileName) : previous_(qgetenv("AKT_FBCLIENT")) {
        had_ = qEnvironmentVariableIsSet("AKT_FBCLIENT");
        qputenv("AKT_FBCLIENT", fileName);
    }
    ~ClientLibraryOverride() {
        if (had_)
            qputenv("AKT_FBCLIENT", previous_);
        else
            qunsetenv("AKT_FBCLIENT");
    }

private:
    QByteArray previous_;
    bool had_ = false;
};

TEST(ClientLibrary, MissingFileGivesTheNotFoundTextNamingIt) {
    QTemporaryDir folder;
    const QString missing = folder.filePath("libfbclient-missing.so.2");
    ClientLibraryOverride environment(missing.toLocal8Bit());

    QString errorText;
    EXPECT_EQ(ClientLibrary::load(&errorText), nullptr);
    EXPECT_EQ(errorText, "InterBase library " + missing +
                             " not found in the path. Please install InterBase to use this functionality");
}

TEST(ClientLibrary, DefaultFileLoadsAndResolvesEveryFunction) {
    ClientLibraryOverride environment{QByteArray()};
    EXPECT_EQ(ClientLibrary::fileNameToLoad(), "libfbclient.so.2");

    QString errorText;
    const auto library = ClientLibrary::load(&errorText);
    ASSERT_NE(library, nullptr) << errorText.toStdString();
    EXPECT_TRUE(errorText.isEmpty());
    EXPECT_NE(library->api().attach_database, nullptr);
    EXPECT_NE(library->api().vax_integer, nullptr);
}

} // namespace
} // namespace akt
