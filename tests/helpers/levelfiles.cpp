#include "levelfiles.h"

#include <filesystem>

int CountLevelFiles(const std::string& dataFolder)
{
    int count = 0;
    while (std::filesystem::exists(dataFolder + "/Level" + std::to_string(count + 1) + ".dat"))
        ++count;
    return count;
}
