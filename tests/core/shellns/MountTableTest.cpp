#include "core/shellns/MountTable.h"

#include <gtest/gtest.h>

namespace tossbox {
namespace {

TEST(MountTable, KeepsUserVolumesInOrderOnce) {
  const std::string table =
      "proc /proc proc rw,relatime 0 0\n"
      "sysfs /sys sysfs rw 0 0\n"
      "/dev/sda1 / ext4 rw 0 0\n"
      "tmpfs /dev/shm tmpfs rw 0 0\n"
      "cgroup2 /sys/fs/cgroup cgroup2 rw 0 0\n"
      "/dev/sda2 /home ext4 rw 0 0\n"
      "/dev/sdb1 /media/u/My\\040Disk vfat rw 0 0\n"
      "/dev/sdc1 /mnt/back\\134slash ext4 rw 0 0\n"
      "/dev/sda3 /mnt/data ext4 rw 0 0\n"
      "/dev/sda3 /mnt/data ext4 rw 0 0\n"
      "/dev/sdd1 /run/media/u/USB exfat rw 0 0\n"
      "tmpfs /run/user/1000 tmpfs rw 0 0\n"
      "/dev/sda4 /boot/efi vfat rw 0 0\n"
      "/dev/loop0 /snap/core/1 squashfs ro 0 0\n"
      "tmpfs /tmp tmpfs rw 0 0\n"
      "server:/x /mnt/nfs nfs4 rw 0 0\n"
      "broken-line-without-fields\n"
      "/dev/sde1 /mnt/odd\\9 ext4 rw 0 0";
  const std::vector<MountedVolume> expected = {
      {"/home", "ext4"},       {"/media/u/My Disk", "vfat"},  {"/mnt/back\\slash", "ext4"},
      {"/mnt/data", "ext4"},   {"/run/media/u/USB", "exfat"}, {"/mnt/nfs", "nfs4"},
      {"/mnt/odd\\9", "ext4"},
  };
  EXPECT_EQ(userVolumes(table), expected);
  EXPECT_TRUE(isRemoteFsType("nfs4"));
  EXPECT_TRUE(isRemoteFsType("fuse.sshfs"));
  EXPECT_FALSE(isRemoteFsType("ext4"));
  EXPECT_FALSE(isRemoteFsType("fuseblk"));
  EXPECT_TRUE(readUserVolumes("/nonexistent/mounts").empty());
}

}  // namespace
}  // namespace tossbox
