// The published update folders of the update tests.
#include "support/update_folder_win.h"

#include <fstream>
#include <iterator>

#include "support/ui_driver.h"

namespace kelvaro::test {

std::string PublishedFile(const std::string& folder, const std::string& file) {
    std::ifstream in(PathNextToTestExe("update-folders\\" + folder + "\\" + file),
                     std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void ServePublishedFolder(const UpdateServer& server, const std::string& folder) {
    for (const char* file : {"KelvaroUpdate", "KelvaroUpdate.sig", "Kelvaro", "Kelvaro(x64).exe"}) {
        server.Serve(file, PublishedFile(folder, file));
    }
}

}  // namespace kelvaro::test
