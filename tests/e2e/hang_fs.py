#!/usr/bin/python3
"""A folder that hangs like a file server that has stopped answering.

    hang_fs.py <backing folder> <mount point> <switch file>

Mirrors the backing folder (FUSE). While the switch file exists, listing,
reading and writing wait. Open, create, stat, rename and delete answer: Wine's
server does those for every program of the prefix. A waiting call that the
kernel interrupts (its process ends) gives up with EINTR.
"""
import errno
import os
import sys
import time

import fusepy
from fusepy import FUSE, FuseOSError, Operations


class HangingFolder(Operations):
    def __init__(self, root, switch):
        self.root = root
        self.switch = switch

    def _path(self, path):
        return os.path.join(self.root, path.lstrip("/"))

    def _wait(self):
        while os.path.exists(self.switch):
            if fusepy._libfuse.fuse_interrupted():
                raise FuseOSError(errno.EINTR)
            time.sleep(0.05)

    # Answer at once.
    def getattr(self, path, fh=None):
        st = os.lstat(self._path(path))
        return {k: getattr(st, k) for k in ("st_mode", "st_size", "st_nlink", "st_uid", "st_gid",
                                             "st_atime", "st_mtime", "st_ctime")}

    def open(self, path, flags):
        return os.open(self._path(path), flags)

    def create(self, path, mode, fi=None):
        return os.open(self._path(path), os.O_WRONLY | os.O_CREAT | os.O_TRUNC, mode)

    def truncate(self, path, length, fh=None):
        with open(self._path(path), "r+") as f:
            f.truncate(length)

    def utimens(self, path, times=None):
        os.utime(self._path(path), times)

    def rename(self, old, new):
        os.rename(self._path(old), self._path(new))

    def unlink(self, path):
        os.unlink(self._path(path))

    def release(self, path, fh):
        os.close(fh)

    # Wait while the share hangs.
    def readdir(self, path, fh):
        self._wait()
        return [".", ".."] + os.listdir(self._path(path))

    def read(self, path, size, offset, fh):
        self._wait()
        os.lseek(fh, offset, os.SEEK_SET)
        return os.read(fh, size)

    def write(self, path, data, offset, fh):
        self._wait()
        os.lseek(fh, offset, os.SEEK_SET)
        return os.write(fh, data)


if __name__ == "__main__":
    root, mountpoint, switch = sys.argv[1:4]
    FUSE(HangingFolder(root, switch), mountpoint, foreground=True, nothreads=False, intr=True, direct_io=True,
         attr_timeout=0, entry_timeout=0)
