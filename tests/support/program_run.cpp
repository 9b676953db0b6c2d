#include "tests/support/program_run.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "records/file_bytes.h"
#include "tests/support/temporary_folder.h"

ProgramRun runProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                      const std::filesystem::path& folder)
{
    const TemporaryFolder caught;
    const std::filesystem::path out = caught / "out", error = caught / "error";
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);

    ProgramRun run;
    const pid_t child = ::fork();
    if (child < 0) return run;
    if (child == 0) {
        const auto redirect = [](const char* path, int flags, int to) {
            const int fd = ::open(path, flags | O_CLOEXEC, 0666);
            return fd >= 0 && ::dup2(fd, to) == to;
        };
        const bool ready = ::chdir(folder.c_str()) == 0 && redirect("/dev/null", O_RDONLY, STDIN_FILENO)
                           && redirect(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, STDOUT_FILENO)
                           && redirect(error.c_str(), O_WRONLY | O_CREAT | O_TRUNC, STDERR_FILENO);
        if (ready) ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child) return run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = caught.read("out").value_or("");
    run.error = caught.read("error").value_or("");
    return run;
}
