#!/usr/bin/perl
# Turns full-text search off in a compiled HTML help file that halibut wrote: halibut marks the
# file as searchable and gives its window a Search tab, but writes no search index, so on Windows
# the Search tab finds nothing. Afterwards the file says it has no full-text search and its window
# shows no Search tab.
#   chm-no-search.pl FILE.chm SCRATCH
# The window definitions (the internal file /#WINDOWS) lie in the compressed section: chmlib's
# test_chmLib unpacks them to SCRATCH. The changed copy goes into the uncompressed section at the
# end of the file, where the directory then points; the old one stays unused. Everything else
# keeps its bytes.
use strict;
use warnings;

my ($file, $scratch) = @ARGV;
die "usage: $0 FILE.chm SCRATCH\n" unless defined $scratch;
unlink($scratch);
{
    open(my $saved, '>&', \*STDOUT) or die "$!\n";
    open(STDOUT, '>', '/dev/null') or die "$!\n";
    my $status = system('test_chmLib', $file, '/#WINDOWS', $scratch);
    open(STDOUT, '>&', $saved) or die "$!\n";
    die "$file: test_chmLib could not unpack /#WINDOWS\n" if $status || !-f $scratch;
}
my $chm = slurp($file);
my $windows = slurp($scratch);

sub slurp {
    my ($path) = @_;
    open(my $in, '<:raw', $path) or die "$path: $!\n";
    local $/;
    my $bytes = <$in>;
    return $bytes;
}

sub fail { die "$file: $_[0]\n" }

# The file header: version 3, the header section that holds the file's length, the directory,
# and where the uncompressed section begins.
fail("not an ITSF file of version 3") unless substr($chm, 0, 4) eq 'ITSF' && unpack('V', substr($chm, 4, 4)) == 3;
my ($headerSection, undef, $directory) = unpack('Q<4', substr($chm, 0x38, 32));
my $contentStart = unpack('Q<', substr($chm, 0x58, 8));
fail("no directory") unless substr($chm, $directory, 4) eq 'ITSP';
my $directoryHeaderLength = unpack('V', substr($chm, $directory + 8, 4));
my $chunkSize = unpack('V', substr($chm, $directory + 0x10, 4));
my $chunkCount = unpack('V', substr($chm, $directory + 0x2c, 4));

# A number of the directory: 7 bits a byte, most significant first, the top bit set on all but
# the last byte.
sub readNumber {
    my ($at) = @_;
    my ($value, $length) = (0, 0);
    while (1) {
        my $byte = ord(substr($chm, $at + $length++, 1));
        $value = ($value << 7) | ($byte & 0x7f);
        return ($value, $length) unless $byte & 0x80;
    }
}

sub writeNumber {
    my ($value, $length) = @_;
    my @bytes;
    for my $i (reverse 0 .. $length - 1) {
        push @bytes, (($value >> (7 * $i)) & 0x7f) | ($i ? 0x80 : 0);
    }
    fail("$value does not fit in $length bytes") if $value >> (7 * $length);
    return pack('C*', @bytes);
}

# The directory entry of an internal file: where its section, offset and length are written.
sub entry {
    my ($wanted) = @_;
    for my $chunk (0 .. $chunkCount - 1) {
        my $start = $directory + $directoryHeaderLength + $chunk * $chunkSize;
        next unless substr($chm, $start, 4) eq 'PMGL';
        my $end = $start + $chunkSize - unpack('V', substr($chm, $start + 4, 4));
        my $at = $start + 20;
        while ($at < $end) {
            my ($nameLength, $n) = readNumber($at);
            my $name = substr($chm, $at + $n, $nameLength);
            $at += $n + $nameLength;
            my %entry = (at => $at);
            for my $field (qw(section offset length)) {
                my ($value, $length) = readNumber($at);
                $entry{$field} = $value;
                $entry{"${field}Bytes"} = $length;
                $at += $length;
            }
            return \%entry if $name eq $wanted;
        }
    }
    fail("no $wanted in the directory");
}

# The project settings: record 4 holds the full-text search flag as its third double word.
my $system = entry('/#SYSTEM');
fail("/#SYSTEM is compressed") unless $system->{section} == 0;
my ($at, $systemEnd) = ($contentStart + $system->{offset} + 4, $contentStart + $system->{offset} + $system->{length});
my $searchFlag;
while ($at + 4 <= $systemEnd) {
    my ($code, $length) = unpack('v2', substr($chm, $at, 4));
    $searchFlag = $at + 4 + 8 if $code == 4 && $length >= 12;
    $at += 4 + $length;
}
fail("no full-text search flag in /#SYSTEM") unless defined $searchFlag;
substr($chm, $searchFlag, 4) = pack('V', 0);

# Each window definition's navigation pane flags: without the Search tab and the advanced search.
my $window = entry('/#WINDOWS');
my ($count, $size) = unpack('V2', $windows);
fail("the unpacked /#WINDOWS is not the file's") unless length($windows) == $window->{length}
    && length($windows) == 8 + $count * $size;
for my $i (0 .. $count - 1) {
    my $flags = 8 + $i * $size + 16;
    substr($windows, $flags, 4) = pack('V', unpack('V', substr($windows, $flags, 4)) & ~(0x400 | 0x20000));
}

# The copy at the end of the uncompressed section, its offset written in as many bytes as the old
# one took (the directory chunk keeps its layout): zeros first where the end is too near.
fail("/#WINDOWS has a long section number") unless $window->{sectionBytes} == 1;
my $offset = length($chm) - $contentStart;
my $lowest = $window->{offsetBytes} == 1 ? 0 : 1 << (7 * ($window->{offsetBytes} - 1));
if ($offset < $lowest) {
    $chm .= "\0" x ($lowest - $offset);
    $offset = $lowest;
}
$chm .= $windows;
substr($chm, $window->{at}, 1 + $window->{offsetBytes}) = pack('C', 0) . writeNumber($offset, $window->{offsetBytes});
substr($chm, $headerSection + 8, 8) = pack('Q<', length($chm));

open(my $out, '>:raw', $file) or die "$file: $!\n";
print $out $chm;
close($out) or die "$file: $!\n";
