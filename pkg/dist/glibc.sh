# The shared libraries of glibc itself, which every Linux system of an architecture has:
# the bundle leaves them out, and the chroot that proves the bundle holds only them.
is_glibc() {
    case "$1" in
      ld-linux*|libc.so.*|libm.so.*|libdl.so.*|libpthread.so.*|librt.so.*|libresolv.so.*|\
      libutil.so.*|libanl.so.*|libmvec.so.*|libnsl.so.*|libnss_*|libBrokenLocale.so.*|\
      libthread_db.so.*|libc_malloc_debug.so.*) return 0 ;;
    esac
    return 1
}
