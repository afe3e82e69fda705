#include "app/CommandLoad.h"

#include "app/FileProblems.h"

namespace kurvon {
namespace {

class SilentProgress : public ProgressSink {
public:
    void SetPosition(int) override {}
    void Show() override {}
};

} // namespace

std::string LoadForCommand(const std::string& path, LoadResult& result) {
    if (std::string problem = DataFileProblem(path); !problem.empty())
        return problem;
    SilentProgress progress;
    LoadOptions options;
    options.colorSeed = CurrentColorSeed();
    result = LoadDataFile(path, progress, options);
    return result.status == LoadStatus::Loaded ? std::string()
                                               : LoadFailureText(result.status, path);
}

} // namespace kurvon
