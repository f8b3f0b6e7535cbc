#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <unistd.h>

#include "gpu/shader.h"
#include "tests/gl/gl_test_context.h"
#include "tests/support/output_lines.h"
#include "tests/support/temp_dir.h"

namespace {

const char* const kVertexSource =
    "#version 330 core\n"
    "layout(location = 0) in vec3 position;\n"
    "out vec3 colour;\n"
    "void main() { colour = position; gl_Position = vec4(position, 1.0); }\n";
const char* const kGeometrySource =
    "#version 330 core\n"
    "layout(triangles) in;\n"
    "layout(triangle_strip, max_vertices = 3) out;\n"
    "in vec3 colour[];\n"
    "out vec3 geometryColour;\n"
    "void main() {\n"
    "  for (int i = 0; i < 3; ++i) { geometryColour = colour[i]; gl_Position = gl_in[i].gl_Position; EmitVertex(); }\n"
    "  EndPrimitive();\n"
    "}\n";
const char* const kFragmentSource =
    "#version 330 core\n"
    "in vec3 colour;\n"
    "out vec4 fragColour;\n"
    "void main() { fragColour = vec4(colour, 1.0); }\n";
const char* const kGeometryFedFragmentSource =
    "#version 330 core\n"
    "in vec3 geometryColour;\n"
    "out vec4 fragColour;\n"
    "void main() { fragColour = vec4(geometryColour, 1.0); }\n";
const char* const kBrokenSource = "#version 330 core\nvoid main() { this is not glsl; }\n";

// Runs f while the compiler's and linker's own error reports arrive through
// the debug output as expected; returns those reports. A GL API error among
// them (attaching name 0, say) fails the test.
template <typename F>
std::vector<std::string> expectingCompilerErrors(F f) {
    const std::vector<std::string> errors = collectGlErrors([](void* c) { (*static_cast<F*>(c))(); }, &f);
    for (const std::string& e : errors) EXPECT_EQ(e.find("GL_INVALID"), std::string::npos) << e;
    return errors;
}

bool startsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

int countStartingWith(const std::vector<std::string>& all, const std::string& prefix) {
    int n = 0;
    for (const std::string& line : all) n += startsWith(line, prefix) ? 1 : 0;
    return n;
}

std::vector<GLenum> attachedStageTypes(GLuint program) {
    GLuint shaders[8] = {};
    GLsizei count = 0;
    glGetAttachedShaders(program, 8, &count, shaders);
    std::vector<GLenum> types;
    for (GLsizei i = 0; i < count; ++i) {
        GLint type = 0;
        glGetShaderiv(shaders[i], GL_SHADER_TYPE, &type);
        types.push_back(static_cast<GLenum>(type));
    }
    return types;
}

GLint linkStatus(GLuint program) {
    GLint status = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    return status;
}

constexpr unsigned kHangSeconds = 20;

class ShaderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.ok()); }
    TempDir dir;
};

TEST_F(ShaderTest, ReadFileKeepsEveryByteAndItsLength) {
    const std::string bytes("line one\r\nline two\r\n\0after a zero\xff", 34);
    EXPECT_EQ(Shader::readFile(dir.write("exact.bin", bytes).c_str()), bytes);
    EXPECT_EQ(Shader::readFile(dir.write("empty.bin", std::string()).c_str()), "");
    // No size bound short of the machine's memory.
    const std::string large = dir.file("large.vert");
    ASSERT_TRUE(makeSparseFile(large, 17u << 20));
    EXPECT_EQ(Shader::readFile(large.c_str()), std::string(17u << 20, '\0'));
}

TEST_F(ShaderTest, UnreadablePathsPrintNotFoundAndGiveEmptyText) {
    const std::string missing = dir.file("missing.vert");
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    ASSERT_EQ(write(fds[1], "abc", 3), 3);
    close(fds[1]);
    // A directory and a pipe both open, but neither has a size to read.
    const std::string pipePath = "/proc/self/fd/" + std::to_string(fds[0]);
    for (const std::string& path : {missing, dir.file(""), pipePath}) {
        testing::internal::CaptureStdout();
        const std::string text = Shader::readFile(path.c_str());
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "File " + path + " not found\n");
        EXPECT_EQ(text, "");
    }
    close(fds[0]);

    // Nothing but a regular file is read: a FIFO without a writer must not
    // block the open, a device must not be read forever, a file larger than
    // memory must not be allocated for. A blocked read would hang the test;
    // the alarm ends it instead.
    alarm(kHangSeconds);
    for (const SpecialFile kind : kSpecialFiles) {
        const std::string path = dir.special("special.vert", kind);
        testing::internal::CaptureStdout();
        const std::string text = Shader::readFile(path.c_str());
        const std::string expected = kind == SpecialFile::Sparse ? "Shader file too large: " + path + " is " +
                                                                       std::to_string(sparseFileBytes()) +
                                                                       " bytes, more than the machine's memory"
                                                                 : "File " + path + " not found\n";
        EXPECT_EQ(testing::internal::GetCapturedStdout().substr(0, expected.size()), expected) << specialFileName(kind);
        EXPECT_EQ(text, "");
    }
    alarm(0);
}

TEST_F(ShaderTest, CompileFailureIsReportedWithTheDriverLog) {
    testing::internal::CaptureStdout();
    GLuint id = 1;
    expectingCompilerErrors([&] { id = Shader::compileShader(kBrokenSource, GL_FRAGMENT_SHADER); });
    EXPECT_EQ(id, 0u);
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(startsWith(out, "Shader compilation error: ")) << out;
    EXPECT_GT(out.size(), std::string("Shader compilation error: \n").size());
}

TEST_F(ShaderTest, CrLfSourceCompilesByteForByteUpToTheFirstZero) {
    std::string source;
    for (const std::string& line : outputLines(kVertexSource)) source += line + "\r\n";
    source += std::string("\0garbage the compiler must never see", 36);
    const std::string path = dir.write("crlf.vert", source);
    const std::string read = Shader::readFile(path.c_str());
    EXPECT_EQ(read, source);
    testing::internal::CaptureStdout();
    const GLuint id = Shader::compileShader(read, GL_VERTEX_SHADER);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_NE(id, 0u);
    glDeleteShader(id);
}

TEST_F(ShaderTest, GoodStagesAreAttachedInOrderAndLinkSilently) {
    const std::string v = dir.write("a.vert", kVertexSource);
    const std::string g = dir.write("a.geom", kGeometrySource);
    const std::string f = dir.write("a.frag", kFragmentSource);
    const std::string gf = dir.write("g.frag", kGeometryFedFragmentSource);
    testing::internal::CaptureStdout();
    Shader* two = new Shader(v.c_str(), nullptr, f.c_str());
    Shader three(v.c_str(), g.c_str(), gf.c_str());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(attachedStageTypes(two->program), (std::vector<GLenum>{GL_VERTEX_SHADER, GL_FRAGMENT_SHADER}));
    EXPECT_EQ(linkStatus(two->program), GL_TRUE);
    EXPECT_EQ(attachedStageTypes(three.program),
              (std::vector<GLenum>{GL_GEOMETRY_SHADER, GL_VERTEX_SHADER, GL_FRAGMENT_SHADER}));
    EXPECT_EQ(linkStatus(three.program), GL_TRUE);
    const GLuint name = two->program;
    delete two;
    EXPECT_FALSE(glIsProgram(name));
}

TEST_F(ShaderTest, MissingFilesAreReadInOrderAndNothingInvalidIsAttached) {
    const std::string v = dir.file("none.vert");
    const std::string g = dir.file("none.geom");
    const std::string f = dir.file("none.frag");
    testing::internal::CaptureStdout();
    // Attaching a failed stage as name 0 would be a GL error and fail here.
    GLuint program = 0;
    expectingCompilerErrors([&] { program = Shader::createProgram(v.c_str(), g.c_str(), f.c_str()); });
    const std::vector<std::string> out = outputLines(testing::internal::GetCapturedStdout());
    ASSERT_GE(out.size(), 3u);
    EXPECT_EQ(out[0], "File " + v + " not found");
    EXPECT_EQ(out[1], "File " + f + " not found");
    EXPECT_EQ(out[2], "File " + g + " not found");
    EXPECT_EQ(countStartingWith(out, "Shader compilation error: "), 3);
    EXPECT_TRUE(attachedStageTypes(program).empty());
    // A compatibility context links an empty program (fixed function); the
    // report follows the real status either way.
    EXPECT_EQ(countStartingWith(out, "Shader link error: "), linkStatus(program) == GL_FALSE ? 1 : 0);
    glDeleteProgram(program);
}

TEST_F(ShaderTest, FailedStageIsLeftOutAndTheLinkFailureIsReported) {
    // A geometry stage cannot link without a vertex stage.
    const std::string v = dir.write("broken.vert", kBrokenSource);
    const std::string g = dir.write("ok.geom", kGeometrySource);
    const std::string f = dir.write("ok.frag", kGeometryFedFragmentSource);
    testing::internal::CaptureStdout();
    GLuint program = 0;
    expectingCompilerErrors([&] { program = Shader::createProgram(v.c_str(), g.c_str(), f.c_str()); });
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(startsWith(out, "Shader compilation error: ")) << out;
    const auto link = out.find("Shader link error: ");
    ASSERT_NE(link, std::string::npos) << out;
    EXPECT_EQ(out.find("Shader compilation error: ", link), std::string::npos) << "link error comes last";
    EXPECT_EQ(attachedStageTypes(program), (std::vector<GLenum>{GL_GEOMETRY_SHADER, GL_FRAGMENT_SHADER}));
    EXPECT_EQ(linkStatus(program), GL_FALSE);
    glDeleteProgram(program);
}

TEST_F(ShaderTest, LinkErrorOfCompiledStagesCarriesTheDriverLog) {
    // Both stages compile, but the vertex stage has no main.
    const std::string v = dir.write("nomain.vert", "#version 330 core\nvoid helper() {}\n");
    const std::string f = dir.write("ok.frag", kFragmentSource);
    testing::internal::CaptureStdout();
    GLuint program = 0;
    expectingCompilerErrors([&] { program = Shader::createProgram(v.c_str(), nullptr, f.c_str()); });
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(startsWith(out, "Shader link error: ")) << out;
    EXPECT_GT(out.size(), std::string("Shader link error: \n").size());
    EXPECT_EQ(countStartingWith(outputLines(out), "Shader compilation error: "), 0);
    EXPECT_EQ(attachedStageTypes(program).size(), 2u);
    EXPECT_EQ(linkStatus(program), GL_FALSE);
    glDeleteProgram(program);
}

}  // namespace
