# Sourced by the benchmark scripts: the options they share and the builds
# they compare. Set the defaults (megabytes, rounds, keep, instructions)
# before calling bench_options "$@"; fills builds (default: build) and
# stops when one has no quarvel program.
bench_options() {
  builds=()
  while [ $# -gt 0 ]; do
    case "$1" in
      -i) instructions=1; shift ;;
      -s) megabytes=$2; shift 2 ;;
      -r) rounds=$2; shift 2 ;;
      -k) keep=$2; shift 2 ;;
      *) builds+=("$1"); shift ;;
    esac
  done
  [ ${#builds[@]} -gt 0 ] || builds=(build)
  local b
  for b in "${builds[@]}"; do
    [ -x "$b/quarvel" ] || { echo "no $b/quarvel: build first (scripts/build.sh $b)" >&2; exit 1; }
  done
}
