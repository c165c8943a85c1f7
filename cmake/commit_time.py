"""Prints the commit time of a source tree, which the release zip's entries carry.

Usage: commit_time.py SOURCE_DIR

SOURCE_DATE_EPOCH, where set, wins. A clone asks git for its last commit's
time. A tree made by `git archive` (or a code host's download) has no .git,
but the archive wrote the commit's time into cmake/commit-time (export-subst
in .gitattributes); in a clone that file keeps its placeholder. A tree with
neither, copied by hand, cannot know its commit time.
"""

import os
import pathlib
import subprocess
import sys


def commit_time(source_dir):
    """Seconds since 1970; ends the calling script with a message naming
    SOURCE_DATE_EPOCH where the tree cannot tell."""
    epoch = os.environ.get("SOURCE_DATE_EPOCH")
    if epoch:
        return int(epoch)
    caller = pathlib.Path(sys.argv[0]).name
    if pathlib.Path(source_dir, ".git").exists():
        try:
            return int(subprocess.run(
                ["git", "-C", source_dir, "log", "-1", "--format=%ct"],
                capture_output=True, text=True, check=True).stdout)
        except (OSError, subprocess.CalledProcessError) as error:
            # git's own words, e.g. a repository owned by another user.
            reason = getattr(error, "stderr", "").strip() or error
            sys.exit(f"{caller}: git cannot tell the commit time of {source_dir}: {reason};"
                     " install git, or set SOURCE_DATE_EPOCH")
    archived = pathlib.Path(source_dir, "cmake", "commit-time")
    if archived.is_file() and archived.read_text().strip().isdigit():
        return int(archived.read_text())
    sys.exit(f"{caller}: {source_dir} has no .git, and no commit time filled in by"
             " git archive in cmake/commit-time; set SOURCE_DATE_EPOCH to the"
             " commit's time in seconds since 1970")


if __name__ == "__main__":
    print(commit_time(sys.argv[1]))
