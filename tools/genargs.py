"""Command-line handling shared by the data generators.

Each generator takes a fixed number of positional paths, some optional. `-h`
and `--help` print the script's usage (its module docstring) and exit 0; any
other option, or too many paths, is refused with the usage on stderr and exit
code 2, so that nothing is ever written to a folder named like an option.
"""
import sys


def paths(doc, defaults, required=0, argv=None):
    """The positional paths of the command line, with `defaults` filling the
    optional ones. `doc` is the script's docstring; `required` how many of
    the paths must be given."""
    args = sys.argv[1:] if argv is None else argv
    if any(a in ('-h', '--help') for a in args):
        sys.stdout.write(doc.strip() + '\n')
        sys.exit(0)
    bad = [a for a in args if a.startswith('-') and a != '-']
    if bad or len(args) > len(defaults) or len(args) < required:
        why = ('unknown option %s' % bad[0]) if bad else 'wrong number of arguments'
        sys.stderr.write('%s: %s\n%s\n' % (sys.argv[0], why, doc.strip()))
        sys.exit(2)
    return list(args) + list(defaults[len(args):])
