#include <gtest/gtest.h>

#include <sys/resource.h>

#include "test_text.h"
#include "text/byte_set.h"
#include "text/fatal_error.h"
#include "text/text_array.h"

namespace mlf {
namespace {

TEST(FatalErrorMessage, HeaderCodeLinesAndMessage) {
  EXPECT_EQ(FatalErrorMessage(1, G("数组成员引用下标超出定义范围")),
            G("运行时出错!\r\n\r\n错误代码：1\r\n\r\n错误信息：数组成员引用下标超出定义范围\r\n"));
  EXPECT_EQ(FatalErrorMessage(0, G("分配 8 字节内存失败!")),
            G("运行时出错!\r\n\r\n错误信息：分配 8 字节内存失败!\r\n"));
}

TEST(FatalErrorDeathTest, MemberAtOutsideTheArrayEndsTheProcess) {
  TextArray two{"a"_t, "b"_t};
  EXPECT_EXIT(MemberAt(two, 3), testing::ExitedWithCode(255),
              "错误代码：1\r\n\r\n错误信息：数组成员引用下标超出定义范围");
  EXPECT_EXIT(MemberAt(two, 0), testing::ExitedWithCode(255),
              "错误代码：4\r\n\r\n错误信息：数组成员引用下标必须大于等于1");
}

TEST(FatalErrorDeathTest, InstalledReporterReceivesTheMessage) {
  EXPECT_EXIT(
      {
        SetFatalErrorReporter([](const Text& message) {
          std::fprintf(stderr, "reported %zu bytes", message.size());
        });
        FatalError(4);
      },
      testing::ExitedWithCode(255), "reported [0-9]+ bytes");
}

#if !defined(__SANITIZE_ADDRESS__)
void AllocateAGigabyteUnder512MiB() {
  rlimit limit{};
  limit.rlim_cur = limit.rlim_max = 512L << 20;
  setrlimit(RLIMIT_AS, &limit);
  BlankBytes(1 << 30);
}

TEST(FatalErrorDeathTest, FailedAllocationNamesTheSize) {
  EXPECT_EXIT(AllocateAGigabyteUnder512MiB(), testing::ExitedWithCode(255),
              "分配 1073741824 字节内存失败!");
}
#endif

}  // namespace
}  // namespace mlf
